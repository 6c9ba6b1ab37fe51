#include "app/Commands.h"

namespace tintorb {

static_assert([] {
    for (std::size_t i = 0; i < CommandTable.size(); ++i) {
        if (static_cast<std::size_t>(CommandTable[i].id) != i) {
            return false;
        }
    }
    return true;
}());

bool CommandAvailable(const TForm1& form, Command command) {
    switch (command) {
        case Command::ImportPalette:
        case Command::ExportPalette:
            return form.State.PalLength > 0;
        default:
            return true;
    }
}

void RunChange(TForm1& form, Ctl control) {
    for (const ChangeWiring& wiring : ChangeTable) {
        if (wiring.control == control) {
            (form.*wiring.run)();
        }
    }
}

void RunKey(TForm1& form, Ctl control, char32_t& key) {
    for (const KeyWiring& wiring : KeyTable) {
        if (wiring.control == control) {
            (form.*wiring.run)(key);
        }
    }
}

void RunMouse(TForm1& form, const RoutedMouse& event) {
    for (const MouseWiring& wiring : MouseTable) {
        if (wiring.area == event.area && wiring.action == event.action) {
            wiring.run(form, event.button, event.x, event.y);
        }
    }
}

void RunCommand(TForm1& form, Command command) {
    (form.*CommandOf(command).run)();
}

}  // namespace tintorb
