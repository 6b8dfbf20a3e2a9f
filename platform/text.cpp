#include "platform/raster.h"

namespace platform {
bool LoadFont(int, const std::string&, int, int) { return true; }
int FontCellHeight(int) { return 0; }
void DeleteAllFonts() {}
}  // namespace platform
