#include "hostlink/HostLink.h"

THostChannel& HostChannel() {
  static THostChannel channel;
  return channel;
}

HostLink ProcessHostLink() { return {HostChannel()}; }
