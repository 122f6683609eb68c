#pragma once
#include <QImage>

// The start-up picture of the image area: 512 x 512, in colour, with the program's purpose as its
// title.
QImage MakeSplashPicture();
