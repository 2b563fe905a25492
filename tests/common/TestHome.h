#pragma once

#include <QString>
#include <QTemporaryDir>

// A throw-away home folder: HOME and the XDG folders point into a fresh temporary folder for as
// long as the object lives, and the user defaults start empty.
class TestHome
{
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString libraryFolder() const;
    QString temporaryFolder() const { return m_dir.path() + QStringLiteral("/tmp"); }

    // Writes a file (making its folders) and returns its absolute path.
    QString writeFile(const QString& relativePath, const QByteArray& content) const;
    // The same, made executable: a stand-in for a program Tandril starts.
    QString writeProgram(const QString& relativePath, const QByteArray& script) const;
    // A configuration file in the library folder with the given text.
    QString writeConfig(const QString& baseName, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousHome;
};

// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString& path);

// Makes the file look written the given number of seconds ago; false when it cannot.
bool backdate(const QString& path, int seconds);

// Every item below the folder, hidden ones included, sorted, folders ending in "/".
QStringList tree(const QString& folder);

// The same items, each file followed by "=" and its bytes (as Latin-1, so that none is lost).
QStringList contents(const QString& folder);

// QSettings keeps the configuration folder it saw first, so the whole test program shares one;
// call from initTestCase().
void isolateUserDefaults();
