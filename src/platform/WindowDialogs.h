// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form's dialogs on the window: file, colour and message boxes and the questions, each modal over it.
// The file dialogs open in the folder last chosen in any of them, the colour dialog on the colour last
// confirmed in it.

#include <optional>
#include <string>

#include "app/Controls.h"
#include "app/PaletteDialogs.h"
#include "model/FileImage.h"

#include <QColor>
#include <QString>

class QFileDialog;
class QWidget;

namespace tintorb {

class WindowDialogs : public virtual Dialogs {
  public:
    explicit WindowDialogs(QWidget& parent) : parent_(parent) {}

    [[nodiscard]] std::optional<std::string> RunOpenDialog() override { return RunFileDialog(false); }
    [[nodiscard]] std::optional<std::string> RunSaveDialog() override { return RunFileDialog(true); }
    [[nodiscard]] std::optional<Rgb> RunColourDialog() override;
    [[nodiscard]] std::optional<std::string> RunImportDialog() override {
        return RunPaletteDialog(PaletteDialog::Import);
    }
    [[nodiscard]] std::optional<std::string> RunExportDialog() override {
        return RunPaletteDialog(PaletteDialog::Export);
    }
    [[nodiscard]] std::optional<std::string> RunPngExportDialog() override;
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] SaveAnswer AskSaveChanges(std::string_view question) override;
    [[nodiscard]] bool AskOverwrite(std::string_view question) override;
    [[nodiscard]] std::optional<std::string> AskTitle(std::string_view prompt,
                                                      std::string_view suggestion) override;

    [[nodiscard]] std::optional<std::string> RunQueryDialog() override {
        return RunPaletteDialog(PaletteDialog::Query);
    }
    // The box of a file error that ended a handler.
    void ShowError(const FileError& error);

  private:
    // Runs the dialog from the folder last chosen in any file dialog; the path chosen, if any.
    [[nodiscard]] std::optional<std::string> ChooseFile(QFileDialog& dialog);
    [[nodiscard]] std::optional<std::string> RunFileDialog(bool save);
    [[nodiscard]] std::optional<std::string> RunPaletteDialog(PaletteDialog kind);

    QWidget& parent_;
    QColor lastColour_{0, 0, 0};
    QString lastFolder_;
};

}  // namespace tintorb
