#include "platform/Program.h"

#include "app/Layout.h"
#include "platform/QtText.h"

#include <string_view>

#include <QCoreApplication>
#include <QGuiApplication>

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
                                       "Licence: not yet chosen.\n"
                                       "Qt %2 (built with Qt %3)")
        .arg(ToQString(Version), QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
}

}  // namespace tintorb
