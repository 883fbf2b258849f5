#pragma once

#include <QIcon>
#include <QImage>

namespace orvex {

// The about box's picture: 183 x 230 pixels, black on transparent.
QImage AboutPicture();
// The main window's 32 x 32 icon.
QIcon WindowIcon();

}  // namespace orvex
