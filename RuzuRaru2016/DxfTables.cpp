#include "RuzuRaru2016/DxfTables.h"

TDxfTables& DxfTables() {
  static TDxfTables tables;
  return tables;
}
