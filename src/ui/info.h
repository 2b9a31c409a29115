#pragma once

// Opens the program info window FInfo, or restores and raises the one already open.
void ShowInfoWindow();
