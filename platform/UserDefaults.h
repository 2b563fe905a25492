#pragma once

#include <optional>
#include <QSettings>

// The values that survive between runs besides the library itself.
class UserDefaults
{
public:
    UserDefaults();

    std::optional<int> lastSelectedConfigRow() const;
    void setLastSelectedConfigRow(int row);
    void removeLastSelectedConfigRow();

    // 0 when never stored.
    double mainWindowHeight() const;
    void setMainWindowHeight(double height);
    double mainWindowWidth() const;
    // The DOSBox-X program the user chose; empty when none.
    QString emulatorProgram() const;
    void setEmulatorProgram(const QString& program);
    void setMainWindowWidth(double width);
    // The library table's optional columns that are shown, by number.
    QList<int> visibleColumns() const;
    void setVisibleColumns(const QList<int>& columns);
    // Whether the details panel beside the table is shown (it is, until the user hides it).
    bool detailsPanelShown() const;
    void setDetailsPanelShown(bool shown);
    // Where the last export went; empty when none.
    QString lastExportFolder() const;
    void setLastExportFolder(const QString& folder);

private:
    mutable QSettings m_settings;
};
