#include "formfixture.h"

#include <QApplication>
#include <QWidget>

#include <filesystem>

#include "app/window/displaytext.h"
#include "grid/resultgrid.h"
#include "platform/privateprofile.h"
#include "tools/indexwriter.h"

namespace varnok {

FormTest::FormTest()
    : m_xdg("XDG_CONFIG_HOME", m_config.Path().string()),
      m_wine("WINEPREFIX", m_data.File("empty-prefix")), m_user("USER", "tester")
{
}

FormTest::~FormTest()
{
    m_form.reset();
    QApplication::processEvents();
}

void FormTest::Create(const std::vector<std::string>& arguments)
{
    m_form = std::make_unique<TForm1>(arguments, m_dialogs);
}

void FormTest::CreateQuiet(const std::string& extraSettings)
{
    WriteSettings(std::string(kQuietSettings) + extraSettings);
    MakeWineCache();
    Create();
}

void FormTest::WriteSettings(const std::string& text)
{
    WriteWholeFile(SettingsPath(), text);
}

std::string FormTest::SettingsText() const
{
    return std::filesystem::exists(SettingsPath()) ? ReadWholeFile(SettingsPath()) : std::string();
}

std::string FormTest::SettingsPath() const
{
    return m_config.File("Varnok5.ini");
}

std::string FormTest::StoredValue(const std::string& section, const std::string& key) const
{
    return PrivateProfile(SettingsPath()).ReadString(section, key, "<missing>");
}

std::string FormTest::MakeCacheFolder(const std::string& name)
{
    const std::filesystem::path folder = m_data.Path() / name;
    std::filesystem::create_directories(folder / "Content.IE5");
    return folder.string();
}

std::string FormTest::MakeCache(const std::string& name, const std::vector<std::string>& addresses)
{
    const std::string folder = MakeCacheFolder(name);
    IndexFilePlan plan;
    for (const std::string& address : addresses) {
        UrlRecordPlan record;
        record.Address = address;
        record.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
        plan.Urls.push_back(record);
    }
    EXPECT_TRUE(WriteFileBytes(folder + "/Content.IE5/index.dat", BuildIndexFile(plan).Bytes));
    return folder;
}

std::string FormTest::MakeWineCache()
{
    const std::filesystem::path cache = m_data.Path() / "prefix" / "drive_c" / "users" / "tester" /
                                        "AppData" / "Local" / "Microsoft" / "Windows" / "INetCache";
    std::filesystem::create_directories(cache / "Content.IE5");
    setenv("WINEPREFIX", (m_data.Path() / "prefix").c_str(), 1);
    return cache.string();
}

QLineEdit* FormTest::PathBox() const
{
    return m_form->findChild<QLineEdit*>(QStringLiteral("Edit2"));
}

QLabel* FormTest::Label(const char* name) const
{
    return m_form->findChild<QLabel*>(QString::fromLatin1(name));
}

QAction* FormTest::Action(const char* name) const
{
    return m_form->findChild<QAction*>(QString::fromLatin1(name));
}

std::string FormTest::PathBoxText() const
{
    return PathFromDisplay(PathBox()->text());
}

std::string FormTest::LabelText(const char* name) const
{
    return Label(name)->text().toStdString();
}

std::vector<std::string> FormTest::Column(int col) const
{
    std::vector<std::string> texts;
    const TResultGrid& grid = m_form->Grid();
    for (int row = 1; row < grid.GetRowCountEx(); ++row)
        texts.emplace_back(grid.GetCellEx(col, row));
    return texts;
}

} // namespace varnok
