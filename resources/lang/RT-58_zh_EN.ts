<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Config</name>
    <message>
        <source>无传感器类型!</source>
        <translation>No sensor type!</translation>
    </message>
    <message>
        <source>连接失败！</source>
        <translation>Failed to connect!</translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>Export success!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>save file dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word files(*.docx);;Word 97-2003 files(*.doc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能打开文件写入！</source>
        <translation>Can not write into the file!</translation>
    </message>
    <message>
        <source>导出失败，至少添加一条记录！</source>
        <translation>Failed to export, add at least one record!</translation>
    </message>
    <message>
        <source>导出文件失败！</source>
        <translation>Failed to export the file!</translation>
    </message>
    <message>
        <source>文件不存在!</source>
        <translation>The file doesn't exist!</translation>
    </message>
    <message>
        <source>文件复制失败!</source>
        <translation>Failed to copy the file!</translation>
    </message>
    <message>
        <source>文件已经存在!</source>
        <translation>The file has existed!</translation>
    </message>
    <message>
        <source>未设置导出文件路径</source>
        <translation>Not set file export path</translation>
    </message>
    <message>
        <source>Excel files(*.xlsx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files(*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RT-58A 振动传感器校准报告</source>
        <translation>RT-58A Vibration Sensor Calibration Report</translation>
    </message>
    <message>
        <source>报告日期：</source>
        <translation>Report date: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>RT-58A Calibration System</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amplitude must be between 0 and 50</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ControlAmplitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Displacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 10000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 150</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 1500</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frequency must not exceed 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select one row first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sensor type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test scheme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The device is currently connected and is about to be disconnected!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tips:
1.You can select a row to modify or delete!
2.You will see the sensitivities after you complete the test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vibration amplitude</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vibration frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无标准幅度!</source>
        <translation>No reference amplitude!</translation>
    </message>
    <message>
        <source>无此输入类型!</source>
        <translation>No input type!</translation>
    </message>
    <message>
        <source>沿X轴放大</source>
        <translation>Zoom in x-axis</translation>
    </message>
    <message>
        <source>沿X轴缩小</source>
        <translation>Zoom out x-axis</translation>
    </message>
    <message>
        <source>沿Y轴放大</source>
        <translation>Zoom in y-axis</translation>
    </message>
    <message>
        <source>沿Y轴缩小</source>
        <translation>Zoom out y-axis</translation>
    </message>
    <message>
        <source>灵敏度/mms^-1</source>
        <translation>sensitivity/mms^-1</translation>
    </message>
    <message>
        <source>灵敏度/ms^-2</source>
        <translation>sensitivity/ms^-2</translation>
    </message>
    <message>
        <source>灵敏度/um</source>
        <translation>sensitivity/um</translation>
    </message>
    <message>
        <source>运行记录无法写入：%1（%2）。本次测试的结果请导出报告保存。</source>
        <translation>The run journal cannot be written: %1 (%2). Export a report to keep the results of this test.</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>频率-灵敏度曲线</source>
        <translation>frequency-sensitivity chart</translation>
    </message>
    <message>
        <source>频率/Hz</source>
        <translation>frequency/Hz</translation>
    </message>
    <message>
        <source>4-20mA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IEPE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ms^-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宋体</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
