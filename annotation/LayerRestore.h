// The user's current layer, given back when a workflow ends, however it ends.
#pragma once

#include <string>
#include <utility>

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostLink.h"
#include "RuzuRaru2016/hostlink/HostVocabulary.h"

// Sends the layer read at construction back at destruction. A layer that could not be read
// (empty) is not sent: "_CLAYER" with nothing would leave the host asking.
class LayerRestore {
 public:
  LayerRestore(const HostLink& link, std::string layer) : link_(link), layer_(std::move(layer)) {}
  LayerRestore(const LayerRestore&) = delete;
  LayerRestore& operator=(const LayerRestore&) = delete;
  ~LayerRestore() {
    if (layer_.empty()) return;
    try {
      SendCommand(link_, vocab::ClayerRestore(layer_));
    } catch (...) {
      // Nothing more can be done for the layer while an error is on its way out.
    }
  }

 private:
  const HostLink& link_;
  std::string layer_;
};
