#include "app/settings/link_choice.h"

#include <QDir>
#include <QSettings>

#include "live/serial_link.h"
#include "live/tcp_link.h"

namespace orvex {
namespace {

const QString kKindKey = QStringLiteral("connect/kind");
const QString kHostKey = QStringLiteral("connect/host");
const QString kPortKey = QStringLiteral("connect/port");
const QString kDeviceKey = QStringLiteral("connect/device");
const QString kBaudRateKey = QStringLiteral("connect/baudRate");
const QString kFolderKey = QStringLiteral("connect/recordFolder");
const QString kSerial = QStringLiteral("serial");
const QString kTcp = QStringLiteral("tcp");

}  // namespace

LinkChoice LinkChoice::Remembered() {
    const QSettings settings;
    LinkChoice choice;
    choice.kind = settings.value(kKindKey).toString() == kSerial ? Kind::Serial : Kind::Tcp;
    choice.host = settings.value(kHostKey, QStringLiteral("localhost")).toString();
    choice.port = settings.value(kPortKey, TcpLink::kUsualPort).toInt();
    choice.device = settings.value(kDeviceKey).toString();
    choice.baudRate = settings.value(kBaudRateKey, SerialLink::kUsualBaudRate).toInt();
    choice.recordFolder = settings.value(kFolderKey, QDir::homePath()).toString();
    return choice;
}

void LinkChoice::Remember() const {
    QSettings settings;
    settings.setValue(kKindKey, kind == Kind::Serial ? kSerial : kTcp);
    settings.setValue(kHostKey, host);
    settings.setValue(kPortKey, port);
    settings.setValue(kDeviceKey, device);
    settings.setValue(kBaudRateKey, baudRate);
    settings.setValue(kFolderKey, recordFolder);
}

bool LinkChoice::IsComplete() const {
    if (recordFolder.isEmpty()) {
        return false;
    }
    if (kind == Kind::Serial) {
        return !device.isEmpty() && baudRate > 0;
    }
    return !host.isEmpty() && port > 0 && port <= 65535;
}

std::unique_ptr<Link> LinkChoice::MakeLink() const {
    if (kind == Kind::Serial) {
        return std::make_unique<SerialLink>(device.toStdString(), baudRate);
    }
    return std::make_unique<TcpLink>(host.toStdString(), static_cast<std::uint16_t>(port));
}

}  // namespace orvex
