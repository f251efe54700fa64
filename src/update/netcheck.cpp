#include "netcheck.h"

#include "versionfiles.h"

#include <QHostAddress>
#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QUrl>

namespace {

bool serverIsLocal()
{
    const QString host = QUrl(QStringLiteral("http://") + VersionFiles::server()).host();
    return host == u"localhost" || QHostAddress(host).isLoopback();
}

bool interfaceUp()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) || !flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        for (const QNetworkAddressEntry &entry : i.addressEntries()) {
            if (!entry.ip().isLoopback() && !entry.ip().isLinkLocal())
                return true;
        }
    }
    return false;
}

} // namespace

bool NetCheckMacAttachNet()
{
    if (serverIsLocal())
        return true;
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        switch (QNetworkInformation::instance()->reachability()) {
        case QNetworkInformation::Reachability::Disconnected:
            return false;
        case QNetworkInformation::Reachability::Local:
        case QNetworkInformation::Reachability::Site:
        case QNetworkInformation::Reachability::Online:
            return true;
        case QNetworkInformation::Reachability::Unknown:
            break;
        }
    }
    return interfaceUp();
}
