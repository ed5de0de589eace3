#include <QtTest>

// The compiled-in style sheets, catalogues and platform settings file.
class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void styleSheetsAreUtf8WithBomAndCrLf_data();
    void styleSheetsAreUtf8WithBomAndCrLf();
    void englishLightSheetDiffersOnlyInPlainTextFontSize();
    void platformSettingsFile();
    void chineseCatalogueTranslatesEnglishSources();
    void englishCatalogueTranslatesChineseSources();
    void tipsTranslateToThreeLines();
    void untranslatedSourcesStayInBothCatalogues();

private:
    static QByteArray readResource(const QString &path);
    static QString translateWith(const QString &catalogue, const char *context, const char *source);
};

QByteArray TestResources::readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString TestResources::translateWith(const QString &catalogue, const char *context,
                                     const char *source)
{
    QTranslator translator;
    if (!translator.load(catalogue))
        return QStringLiteral("<catalogue not loaded>");
    QCoreApplication::installTranslator(&translator);
    const QString text = QCoreApplication::translate(context, source);
    QCoreApplication::removeTranslator(&translator);
    return text;
}

void TestResources::styleSheetsAreUtf8WithBomAndCrLf_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("light") << ":/qss/appQssLight.qss";
    QTest::newRow("light en") << ":/qss/appQssLight_EN.qss";
    QTest::newRow("blue") << ":/qss/appQssBlue.qss";
}

void TestResources::styleSheetsAreUtf8WithBomAndCrLf()
{
    QFETCH(QString, path);
    const QByteArray bytes = readResource(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QVERIFY(QString::fromUtf8(bytes).contains(QStringLiteral("font-family: 宋体")));
}

void TestResources::englishLightSheetDiffersOnlyInPlainTextFontSize()
{
    const QList<QByteArray> light = readResource(":/qss/appQssLight.qss").split('\n');
    const QList<QByteArray> english = readResource(":/qss/appQssLight_EN.qss").split('\n');
    QCOMPARE(light.size(), english.size());
    QStringList differences;
    for (int i = 0; i < light.size(); ++i) {
        if (light.at(i) != english.at(i))
            differences << QString::fromUtf8(light.at(i) + " -> " + english.at(i)).simplified();
    }
    QCOMPARE(differences, QStringList{"font-size: 14px; -> font-size: 11px;"});
    const QString sheet = QString::fromUtf8(readResource(":/qss/appQssLight_EN.qss"));
    const int block = sheet.lastIndexOf("QPlainTextEdit {");
    QVERIFY(sheet.indexOf("font-size: 11px", block) < sheet.indexOf('}', block));
}

void TestResources::platformSettingsFile()
{
    QCOMPARE(
        readResource(":/ini/qt.ini"),
        QByteArray("\xEF\xBB\xBF[Platforms][Platforms]\r\nWindowsArguments = dpiawareness=0\r\n"));
}

void TestResources::chineseCatalogueTranslatesEnglishSources()
{
    const QString zh = ":/lang/RT-58_zh_CN.qm";
    QCOMPARE(translateWith(zh, "MainWindow", "Connect"), QString("连接"));
    QCOMPARE(translateWith(zh, "MainWindow", "MainWindow"), QString("RT-58A校准系统"));
    QCOMPARE(translateWith(zh, "MainWindow", "Please select one row first"),
             QString("请先选择一行"));
    QCOMPARE(translateWith(zh, "ExportFile", "Info"), QString("提示信息"));
    QCOMPARE(translateWith(zh, "Config", "连接失败！"), QString("连接失败！"));
    QCOMPARE(translateWith(zh, "MainWindow", "还原"), QString("还原"));
    QCOMPARE(translateWith(zh, "MainWindow", "Stop test"), QString("Stop test"));
}

void TestResources::englishCatalogueTranslatesChineseSources()
{
    const QString en = ":/lang/RT-58_zh_EN.qm";
    QCOMPARE(translateWith(en, "Config", "连接失败！"), QString("Failed to connect!"));
    QCOMPARE(translateWith(en, "MainWindow", "Connect"), QString("Connect"));
    QCOMPARE(translateWith(en, "MainWindow", "MainWindow"), QString("RT-58A Calibration System"));
    QCOMPARE(translateWith(en, "MainWindow", "灵敏度/mms^-1"), QString("sensitivity/mms^-1"));
    QCOMPARE(translateWith(en, "ExportFile", "文件不存在!"), QString("The file doesn't exist!"));
    QCOMPARE(translateWith(en, "ExportFile", "保存图片失败!"), QString("保存图片失败!"));
}

void TestResources::tipsTranslateToThreeLines()
{
    const char *tips = "Tips:\n1.You can select a row to modify or delete!\n2.You will see the "
                       "sensitivities after you complete the test";
    const QString text = translateWith(":/lang/RT-58_zh_CN.qm", "MainWindow", tips);
    QCOMPARE(text.split('\n'), (QStringList{"建议:", "1.你可以选择修改或者删除一行数据!",
                                            "2.你完成测试之后会看到灵敏度值"}));
}

void TestResources::untranslatedSourcesStayInBothCatalogues()
{
    for (const char *source : {"4-20mA", "COM1", "COM9", "Hz", "IEPE", "PE", "ms^-2", "宋体"}) {
        for (const char *catalogue : {":/lang/RT-58_zh_CN.qm", ":/lang/RT-58_zh_EN.qm"})
            QCOMPARE(translateWith(catalogue, "MainWindow", source), QString::fromUtf8(source));
    }
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
