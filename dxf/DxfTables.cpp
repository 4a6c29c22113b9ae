#include "dxf/DxfTables.h"

TDxfTables& DxfTables() {
  static TDxfTables tables;
  return tables;
}
