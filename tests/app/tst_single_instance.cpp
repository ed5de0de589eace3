#include "app/SingleInstanceGuard.h"

#include <QtTest>

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void sameNameIsRefusedOtherNamesRunSideBySide();
    void killedHolderReleasesTheGuard();
    void refusalBoxHasItsTitleTextAndButton();
    void secondProgramCopyExitsWith255();

private:
    static QString uniqueName(const char *tag);
    static QString startProbe(QProcess &probe, const QString &name);
    static QString binary(const QString &name);
    static bool waitUntilHeld(const QString &name);
};

QString TestSingleInstance::uniqueName(const char *tag)
{
    return QStringLiteral("rt58-test-%1-%2").arg(QLatin1String(tag)).arg(::getpid());
}

QString TestSingleInstance::binary(const QString &name)
{
    return qEnvironmentVariable("RT58_BINARY_DIR") + QLatin1Char('/') + name;
}

QString TestSingleInstance::startProbe(QProcess &probe, const QString &name)
{
    probe.start(binary(QStringLiteral("tests/app/guard_probe")), {name});
    if (!probe.waitForStarted() || !probe.waitForReadyRead(5000))
        return QStringLiteral("no answer");
    return QString::fromLatin1(probe.readLine()).trimmed();
}

bool TestSingleInstance::waitUntilHeld(const QString &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (SingleInstanceGuard(name).alreadyRunning())
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestSingleInstance::sameNameIsRefusedOtherNamesRunSideBySide()
{
    const QString name = uniqueName("same");
    QProcess first, second, other;
    QCOMPARE(startProbe(first, name), QString("acquired"));
    QCOMPARE(startProbe(second, name), QString("refused"));
    QCOMPARE(startProbe(other, name + "-other"), QString("acquired"));
    for (QProcess *probe : {&first, &second, &other}) {
        probe->closeWriteChannel();
        QVERIFY(probe->waitForFinished());
    }
    QProcess after;
    QCOMPARE(startProbe(after, name), QString("acquired"));
    after.closeWriteChannel();
    QVERIFY(after.waitForFinished());
}

void TestSingleInstance::killedHolderReleasesTheGuard()
{
    const QString name = uniqueName("killed");
    QProcess holder;
    QCOMPARE(startProbe(holder, name), QString("acquired"));
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished());
    QProcess next;
    QCOMPARE(startProbe(next, name), QString("acquired"));
    next.closeWriteChannel();
    QVERIFY(next.waitForFinished());
}

void TestSingleInstance::refusalBoxHasItsTitleTextAndButton()
{
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    SingleInstanceGuard::warnAlreadyRunning();
    QCOMPARE(title, QString("警告"));
    QCOMPARE(text, QString("应用程序已经在运行中！"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// Runs copies of the program under names of their own; the refused copy's box
// is answered through the X server, so this case needs one.
void TestSingleInstance::secondProgramCopyExitsWith255()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        QSKIP("needs an X server and xdotool");
    QTemporaryDir folder;
    const QString name = uniqueName("program");
    const QString copy = folder.filePath(name);
    QVERIFY(QFile::copy(binary("RT-58"), copy));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess first, second;
    for (QProcess *program : {&first, &second}) {
        program->setProcessEnvironment(environment);
        program->setWorkingDirectory(folder.path());
    }
    first.start(copy, QStringList());
    QVERIFY(waitUntilHeld(name));
    second.start(copy, QStringList());
    QVERIFY(second.waitForStarted());

    QProcess answer;
    answer.start("xdotool",
                 {"search", "--sync", "--name", "警告", "windowfocus", "--sync", "key", "Return"});
    QVERIFY(answer.waitForFinished(15000));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(!SingleInstanceGuard(name).alreadyRunning());
}

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
