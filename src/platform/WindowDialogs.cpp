// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WindowDialogs.h"

#include "app/ErrorMessage.h"
#include "app/PaletteDialogs.h"
#include "formats/PaletteFormat.h"
#include "platform/QtColour.h"
#include "platform/QtText.h"

#include <algorithm>

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tintorb {

namespace {

[[nodiscard]] QString Tr(const char* text) {
    return QCoreApplication::translate("tintorb::MainWindow", text);
}

}  // namespace

std::optional<std::string> WindowDialogs::ChooseFile(QFileDialog& dialog) {
    if (!lastFolder_.isEmpty()) {
        dialog.setDirectory(lastFolder_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::optional<std::string> WindowDialogs::RunFileDialog(bool save) {
    QFileDialog dialog(&parent_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Any name is taken as it is typed, one that does not exist yet too; the form itself asks before a
    // save replaces another file, so the dialog does not ask as well.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return ChooseFile(dialog);
}

std::optional<std::string> WindowDialogs::RunPaletteDialog(PaletteDialog kind) {
    QStringList filters;
    for (const std::string& filter : PaletteFilters(kind)) {
        filters.append(ToQString(filter));
    }
    const bool exporting = kind == PaletteDialog::Export;
    QFileDialog dialog(&parent_, ToQString(PaletteDialogTitle(kind)));
    dialog.setAcceptMode(exporting ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(exporting ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (exporting) {
        // A name typed without an extension takes the chosen filter's, so the file is in the format picked.
        const auto suffix = [](qsizetype format) {
            return ToQString(
                PaletteFormats[static_cast<std::size_t>(std::max<qsizetype>(format, 0))].extension);
        };
        dialog.setDefaultSuffix(suffix(0));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
            dialog.setDefaultSuffix(suffix(filters.indexOf(filter)));
        });
    }
    return ChooseFile(dialog);
}

std::optional<std::string> WindowDialogs::RunPngExportDialog() {
    QFileDialog dialog(&parent_, Tr("Export Tiles as PNG"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(Tr("PNG images (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    // The form asks before the image replaces a file, as it does for a saved file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return ChooseFile(dialog);
}

void WindowDialogs::ShowMessage(std::string_view text) {
    QMessageBox::information(&parent_, QCoreApplication::applicationName(), ToQString(text), QMessageBox::Ok);
}

std::optional<Rgb> WindowDialogs::RunColourDialog() {
    // The dialog opens on the colour last confirmed in it, whatever was picked in a cancelled one since.
    QColorDialog dialog(lastColour_, &parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    lastColour_ = dialog.selectedColor();
    return RgbOf(lastColour_);
}

SaveAnswer WindowDialogs::AskSaveChanges(std::string_view question) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &parent_);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

bool WindowDialogs::AskOverwrite(std::string_view question) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(question),
                    QMessageBox::Cancel, &parent_);
    QPushButton* overwrite = box.addButton(Tr("Overwrite"), QMessageBox::AcceptRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == overwrite;
}

std::optional<std::string> WindowDialogs::AskTitle(std::string_view prompt, std::string_view suggestion) {
    QInputDialog dialog(&parent_);
    dialog.setWindowTitle(QCoreApplication::applicationName());
    dialog.setLabelText(ToQString(prompt));
    dialog.setTextValue(ToQString(suggestion));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

void WindowDialogs::ShowError(const FileError& error) {
    QMessageBox::critical(&parent_, QCoreApplication::applicationName(),
                          QString::fromStdString(ErrorMessageText(error.what())), QMessageBox::Ok);
}

}  // namespace tintorb
