// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Program.h"

#include "app/Layout.h"
#include "platform/QtText.h"

#include <string_view>

#include <QColor>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>

namespace tintorb {

namespace {

// The release's version comes from the build, as the package's does; the caption shows its first two parts.
constexpr std::string_view Version = TINTORB_VERSION;
static_assert(Version.starts_with(ProgramVersion) && Version.substr(ProgramVersion.size()).starts_with('.'),
              "the window's caption names another version than the build");

}  // namespace

void SetProgramIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Tintorb"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tintorb"));
    QCoreApplication::setApplicationVersion(ToQString(Version));
    // Desktops find the installed entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TINTORB_APP_ID));
}

QString AboutText() {
    return QCoreApplication::translate("About",
                                       "Tintorb %1\n\n"
                                       "Finds, shows and edits colour palettes inside binary files.\n\n"
                                       "%4\n"
                                       "Qt %2 (built with Qt %3)")
        .arg(ToQString(Version), QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
             ToQString(ProgramLicence));
}

QIcon ProgramIcon() {
    QPixmap pixmap(32, 32);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, 16, 16, QColor(255, 0, 0));
    painter.fillRect(16, 0, 16, 16, QColor(0, 172, 0));
    painter.fillRect(0, 16, 16, 16, QColor(0, 0, 255));
    painter.fillRect(16, 16, 16, 16, QColor(255, 255, 255));
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 31, 31);
    return QIcon(pixmap);
}

}  // namespace tintorb
