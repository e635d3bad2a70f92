#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "app/window/tform1.h"
#include "scripteddialogs.h"
#include "support/testsupport.h"

namespace varnok {

// A main window made in a fresh settings folder, with scripted dialogs and a Wine prefix
// that holds no cache (so the system lookup fails unless a test makes one).
class FormTest : public ::testing::Test {
protected:
    FormTest();
    ~FormTest() override;

    /** Runs the start-up sequence with these command-line arguments. */
    void Create(const std::vector<std::string>& arguments = {});
    /** A quiet start-up (settings `kQuietSettings` plus `extraSettings`) that finds the Wine
     *  cache and ends waiting for OK, with the grid hidden. */
    void CreateQuiet(const std::string& extraSettings = {});

    /** The settings file's lines, as the test writes them (LF is enough to read). */
    void WriteSettings(const std::string& text);
    [[nodiscard]] std::string SettingsText() const;
    [[nodiscard]] std::string SettingsPath() const;
    /** A key's value as the program reads it, or "<missing>". */
    [[nodiscard]] std::string StoredValue(const std::string& section, const std::string& key) const;

    // A cache folder `name` in the data folder, with Content.IE5/index.dat listing
    // `addresses`; the folder path without a trailing "/".
    std::string MakeCache(const std::string& name, const std::vector<std::string>& addresses);
    // Just the folders, no index file.
    std::string MakeCacheFolder(const std::string& name);
    /** A Wine prefix whose user cache folder exists; the cache folder's path. */
    std::string MakeWineCache();

    [[nodiscard]] QLineEdit* PathBox() const;
    [[nodiscard]] QLabel* Label(const char* name) const;
    [[nodiscard]] QAction* Action(const char* name) const;
    [[nodiscard]] std::string PathBoxText() const;
    [[nodiscard]] std::string LabelText(const char* name) const;
    /** Column `col` of the data rows 1 to row count - 1. */
    [[nodiscard]] std::vector<std::string> Column(int col) const;

    TempDir m_config;
    TempDir m_data;
    ScopedEnv m_xdg;
    ScopedEnv m_wine;
    ScopedEnv m_user;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TForm1> m_form;
};

/** The welcome message is off, so no box comes up and no hint pops up at the first paint. */
inline constexpr const char* kQuietSettings = "[Preferences]\nShow welcome window=0\n";

} // namespace varnok
