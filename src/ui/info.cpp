#include "ui/info.h"

void ShowInfoWindow() {}
