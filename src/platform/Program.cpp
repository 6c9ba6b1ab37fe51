#include "platform/Program.h"

#include "app/Layout.h"
#include "platform/QtText.h"

#include <QCoreApplication>

namespace tintorb {

void SetProgramIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Tintorb"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tintorb"));
    QCoreApplication::setApplicationVersion(ToQString(ProgramVersion));
}

QString AboutText() {
    return QCoreApplication::translate("About",
                                       "Tintorb %1\n\n"
                                       "Finds, shows and edits colour palettes inside binary files.\n\n"
                                       "Licence: not yet chosen.\n"
                                       "Qt %2 (built with Qt %3)")
        .arg(ToQString(ProgramVersion), QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
}

}  // namespace tintorb
