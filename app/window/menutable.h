#pragma once

#include <QKeyCombination>

#include <span>

#include "app/settings.h"

namespace varnok {

class TForm1;

// The window's menus written as tables: each entry's caption, its name on the form, its
// shortcut and its command.

using FormCommand = void (TForm1::*)();

// A program setting that a pair of options chooses: its key in the settings file and its
// value in memory, both as a number (the date order, or 1 and 0 for a switch).
struct OptionSetting {
    SettingsKey Key;
    int (*Current)(const ProgramSettings& options);
    void (*Choose)(ProgramSettings& options, int value);
};

// One of two options that exclude each other (the date order, the welcome box, the cell
// format). Choosing it sets the value in memory, stores it and moves the check mark to it
// from its partner.
struct OptionChoice {
    const char* Name;
    const char* PartnerName;
    const OptionSetting& Setting;
    int Value;
};

struct MenuEntry {
    const char* Caption;
    const char* Name = nullptr; // an option's entry takes its option's name
    // The entry's command, or the option it chooses; with neither, the entry is listed so the
    // menu is complete, but its command is not available yet.
    FormCommand OnClick = nullptr;
    const OptionChoice* Option = nullptr;
    QKeyCombination Shortcut = {};
    bool Checkable = false;
};

// An entry of the menu bar: a command of its own, or a menu of entries.
struct TopLevelEntry {
    const char* Caption;
    const char* Name;
    FormCommand OnClick = nullptr;
    std::span<const MenuEntry> Entries = {};
    bool Default = false; // the menu's default entry, shown in bold
};

} // namespace varnok
