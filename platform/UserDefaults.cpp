#include "platform/UserDefaults.h"

namespace {
const QString LastSelectedConfigRowKey = QStringLiteral("LastSelectedConfigRow");
const QString MainWindowHeightKey = QStringLiteral("MainWindowHeight");
const QString MainWindowWidthKey = QStringLiteral("MainWindowWidth");
const QString EmulatorProgramKey = QStringLiteral("DOSBoxXProgram");
const QString LastExportFolderKey = QStringLiteral("LastExportFolder");
const QString VisibleColumnsKey = QStringLiteral("VisibleColumns");
const QString DetailsPanelShownKey = QStringLiteral("DetailsPanelShown");
} // namespace

UserDefaults::UserDefaults() : m_settings(QStringLiteral("Tandril"), QStringLiteral("Tandril")) {}

std::optional<int> UserDefaults::lastSelectedConfigRow() const
{
    m_settings.sync(); // another process (the command line) may have written it
    bool ok = false;
    const int row = m_settings.value(LastSelectedConfigRowKey).toInt(&ok);
    return ok ? std::optional<int>(row) : std::nullopt;
}

void UserDefaults::setLastSelectedConfigRow(int row)
{
    m_settings.setValue(LastSelectedConfigRowKey, row);
}

void UserDefaults::removeLastSelectedConfigRow()
{
    m_settings.remove(LastSelectedConfigRowKey);
}

double UserDefaults::mainWindowHeight() const
{
    return m_settings.value(MainWindowHeightKey, 0.0).toDouble();
}

void UserDefaults::setMainWindowHeight(double height)
{
    m_settings.setValue(MainWindowHeightKey, height);
}

QString UserDefaults::emulatorProgram() const
{
    return m_settings.value(EmulatorProgramKey).toString();
}

void UserDefaults::setEmulatorProgram(const QString& program)
{
    m_settings.setValue(EmulatorProgramKey, program);
}

double UserDefaults::mainWindowWidth() const
{
    return m_settings.value(MainWindowWidthKey, 0.0).toDouble();
}

void UserDefaults::setMainWindowWidth(double width)
{
    m_settings.setValue(MainWindowWidthKey, width);
}

QString UserDefaults::lastExportFolder() const
{
    m_settings.sync();
    return m_settings.value(LastExportFolderKey).toString();
}

void UserDefaults::setLastExportFolder(const QString& folder)
{
    m_settings.setValue(LastExportFolderKey, folder);
}

bool UserDefaults::detailsPanelShown() const
{
    return m_settings.value(DetailsPanelShownKey, true).toBool();
}

void UserDefaults::setDetailsPanelShown(bool shown)
{
    m_settings.setValue(DetailsPanelShownKey, shown);
}

QList<int> UserDefaults::visibleColumns() const
{
    QList<int> columns;
    for (const QString& column : m_settings.value(VisibleColumnsKey).toStringList())
        columns.append(column.toInt());
    return columns;
}

void UserDefaults::setVisibleColumns(const QList<int>& columns)
{
    QStringList values;
    for (const int column : columns)
        values.append(QString::number(column));
    m_settings.setValue(VisibleColumnsKey, values);
}
