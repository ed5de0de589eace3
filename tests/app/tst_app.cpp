// The application's own pieces: where a report goes that the user did not
// name, and the folder of the single-instance guard's lock (the guard itself
// is tried on the program). Where an installed
// program finds its templates is tried on the installed package (scripts/check-install.sh).
#include "ExampleRows.h"
#include "app/AppPaths.h"
#include "app/GlobalState.h"
#include "app/SingleInstanceGuard.h"

#include <QtTest>

#include <pwd.h>
#include <unistd.h>

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void reportDir_data();
    void reportDir();
    void lockFolder_data();
    void lockFolder();
};

// "data folder|working folder => report folder" (a cancelled save dialog):
// beside the executable of a build tree only; an installed program's in the
// working folder, or the home folder when that is "/" or gone.
void TestApp::reportDir_data()
{
    addExampleRows({"bin/doc|work => bin", "bin/doc|/ => bin", "share/rt58/doc|work => work",
                    "share/rt58/doc|/ => home", "share/rt58/doc|gone => home"});
}

void TestApp::reportDir()
{
    QFETCH(QString, example);
    const QStringList folders = example.section(" => ", 0, 0).split('|');
    QTemporaryDir root;
    const QDir prefix(root.filePath("prefix"));
    // The executable's folder exists and is writable, as /usr/bin is for root.
    for (const QString &folder : {folders.at(0), QString("bin"), QString("work"), QString("home")})
        QVERIFY(prefix.mkpath(folder));
    const auto inPrefix = [&](const QString &path) {
        return path == "/" ? path : prefix.filePath(path);
    };
    QCOMPARE(AppPaths::reportDir(prefix.filePath("bin"), inPrefix(folders.at(1)),
                                 prefix.filePath("home")),
             inPrefix(example.section(" => ", 1)));
}

// "XDG_RUNTIME_DIR|the folder in the temporary folder that stands in without
// it => the one used": either only when it is the user's own and private;
// with neither there is no guard.
void TestApp::lockFolder_data()
{
    addExampleRows({"unset|private => temporary", "foreign|private => temporary", "unset|open => ",
                    "foreign|foreign => "});
}

void TestApp::lockFolder()
{
    QFETCH(QString, example);
    if (::getuid() != 0 && example.contains("foreign"))
        QSKIP("needs root to give a folder to another user");
    const QStringList folders = example.section(" => ", 0, 0).split('|');
    QTemporaryDir temp, foreign;
    const QString folder = temp.filePath("runtime-" + QString(getpwuid(::getuid())->pw_name));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile(folder).setPermissions(
        QFileDevice::Permissions(folders.at(1) == "open" ? 0x7777 : 0x7700)));
    for (const QString &path : {foreign.path(), folders.at(1) == "foreign" ? folder : QString()})
        QVERIFY(path.isEmpty() || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    if (folders.at(0) == "foreign")
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(foreign.path()));
    else
        qunsetenv("XDG_RUNTIME_DIR");
    const QString lockFile = SingleInstanceGuard(QStringLiteral("rt58-lock")).lockFilePath();
    QCOMPARE(lockFile.isEmpty() ? QString() : QFileInfo(lockFile).absolutePath(),
             example.endsWith("temporary") ? folder : QString());
    QVERIFY(QDir(foreign.path()).isEmpty());
    qunsetenv("TMPDIR");
}

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
