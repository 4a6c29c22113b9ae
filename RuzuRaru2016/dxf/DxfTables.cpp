#include "RuzuRaru2016/dxf/DxfTables.h"

TDxfTables& DxfTables() {
  static TDxfTables tables;
  return tables;
}
