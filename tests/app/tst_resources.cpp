#include <QtTest>

// The compiled-in style sheets, catalogues and platform settings file.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void styleSheets();
    void platformSettingsFile();
    void catalogues_data();
    void catalogues();
};

namespace {
QByteArray readResource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

// UTF-8 with a byte-order mark and CR LF; the English light sheet differs
// from the light one only in the plain-text font size.
void TestResources::styleSheets()
{
    for (const char *path :
         {":/qss/appQssLight.qss", ":/qss/appQssLight_EN.qss", ":/qss/appQssBlue.qss"}) {
        const QByteArray bytes = readResource(path);
        QVERIFY2(bytes.startsWith("\xEF\xBB\xBF"), path);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    }
    const QList<QByteArray> light = readResource(":/qss/appQssLight.qss").split('\n');
    const QList<QByteArray> english = readResource(":/qss/appQssLight_EN.qss").split('\n');
    QCOMPARE(light.size(), english.size());
    QStringList differences;
    for (int i = 0; i < light.size(); ++i) {
        if (light.at(i) == english.at(i))
            continue;
        int block = i;
        while (!light.at(block).contains('{'))
            --block;
        differences
            << QString::fromUtf8(light.at(block) + light.at(i) + english.at(i)).simplified();
    }
    QCOMPARE(differences, QStringList{"QPlainTextEdit { font-size: 14px; font-size: 11px;"});
}

void TestResources::platformSettingsFile()
{
    QCOMPARE(
        readResource(":/ini/qt.ini"),
        QByteArray("\xEF\xBB\xBF[Platforms][Platforms]\r\nWindowsArguments = dpiawareness=0\r\n"));
}

// The Chinese catalogue translates the English sources, the English one the
// Chinese sources; the window title is translated in both.
void TestResources::catalogues_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("shown");
    const QString zh = ":/lang/RT-58_zh_CN.qm";
    const QString en = ":/lang/RT-58_zh_EN.qm";
    const QString tips = "Tips:\n1.You can select a row to modify or delete!\n2.You will see the "
                         "sensitivities after you complete the test";
    QTest::newRow("zh connect") << zh << "MainWindow"
                                << "Connect"
                                << "连接";
    QTest::newRow("zh title") << zh << "MainWindow"
                              << "MainWindow"
                              << "RT-58A校准系统";
    QTest::newRow("zh tips")
        << zh << "MainWindow" << tips
        << "建议:\n1.你可以选择修改或者删除一行数据!\n2.你完成测试之后会看到灵敏度值";
    QTest::newRow("zh export info") << zh << "ExportFile"
                                    << "Info"
                                    << "提示信息";
    QTest::newRow("zh keeps chinese") << zh << "Config"
                                      << "连接失败！"
                                      << "连接失败！";
    QTest::newRow("zh stop test") << zh << "MainWindow"
                                  << "Stop test"
                                  << "Stop test";
    QTest::newRow("en failed") << en << "Config"
                               << "连接失败！"
                               << "Failed to connect!";
    QTest::newRow("en keeps english") << en << "MainWindow"
                                      << "Connect"
                                      << "Connect";
    QTest::newRow("en title") << en << "MainWindow"
                              << "MainWindow"
                              << "RT-58A Calibration System";
    QTest::newRow("en axis") << en << "MainWindow"
                             << "灵敏度/mms^-1"
                             << "sensitivity/mms^-1";
    QTest::newRow("en no entry") << en << "ExportFile"
                                 << "保存图片失败!"
                                 << "保存图片失败!";
    for (const char *source : {"4-20mA", "COM9", "ms^-2", "宋体"}) {
        QTest::addRow("zh %s", source) << zh << "MainWindow" << source << source;
        QTest::addRow("en %s", source) << en << "MainWindow" << source << source;
    }
}

void TestResources::catalogues()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, shown);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    QCOMPARE(translator.translate(context.toUtf8(), source.toUtf8()).isEmpty()
                 ? source
                 : translator.translate(context.toUtf8(), source.toUtf8()),
             shown);
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
