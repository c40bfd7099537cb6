#pragma once
// The picture controls as the program last left them, kept in picture.txt beside the control file
// and rewritten at every change: what the camera was left with once the program has ended.
#include "scene/picture_controls.h"

void WritePictureRecord(const PictureValues& values);
// False when there is no readable record yet.
bool ReadPictureRecord(PictureValues* values);
