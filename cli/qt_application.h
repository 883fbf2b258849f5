#pragma once

#include <QCoreApplication>

#include <memory>

namespace orvex {

// An application object for the run when there is none yet: Qt's serial
// port watches its device with a notifier, and the uploader's thread runs an
// event loop, both of which need one, though every read of the decode
// blocks.
std::unique_ptr<QCoreApplication> ApplicationIfNone();

}  // namespace orvex
