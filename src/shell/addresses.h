#pragma once

#include <QString>

// The outside addresses the program opens, kept in one place.
namespace Addresses {

// The product web site: reachability check, the chapter browser's small
// panel page and its click areas.
inline const QString productSite = QStringLiteral("http://www.pelquor.cn/");
inline const QString productPanelPage = productSite + QStringLiteral("pq.html");

// The customer-service chat page behind the main window's banner.
inline const QString chatPage = QStringLiteral("http://chat.pelquor.cn/kefu?uin=800061620&site=pelquor");

// The Flash player installer offered by the Flash prompt.
inline const QString flashInstaller = productSite + QStringLiteral("install_flash_player_ax.exe");

} // namespace Addresses
