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
    <message>
        <source>偏差</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>传感器：%1  序列号：%2</source>
        <translation>Sensor: %1  Serial number: %2</translation>
    </message>
    <message>
        <source>传感器类型：%1  输入类型：%2  标称灵敏度：%3 %4</source>
        <translation>Sensor type: %1  Input type: %2  Nominal sensitivity: %3 %4</translation>
    </message>
    <message>
        <source>参考灵敏度：%1</source>
        <translation>Reference sensitivity: %1</translation>
    </message>
    <message>
        <source>容差：参考灵敏度对标称 ±%1 %，各点对参考 ±%2 %</source>
        <translation>Tolerances: reference against nominal ±%1 %, each point against the reference ±%2 %</translation>
    </message>
    <message>
        <source>结论：%1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>无（参考频率 %1 Hz）</source>
        <translation>None (reference frequency %1 Hz)</translation>
    </message>
    <message>
        <source>%1 %2（%3 Hz，对标称 %4）</source>
        <translation>%1 %2 (%3 Hz, %4 against nominal)</translation>
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
<context>
    <name>CalibrationResult</name>
    <message>
        <source>合格</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>无结论：有失败或未测的点</source>
        <translation>No verdict: points failed or not measured</translation>
    </message>
    <message>
        <source>无结论：方案中没有参考频率的点</source>
        <translation>No verdict: the scheme has no point at the reference frequency</translation>
    </message>
    <message>
        <source>无结论：传感器类型或输入类型与登记不符</source>
        <translation>No verdict: sensor or input type differs from the register</translation>
    </message>
</context>
<context>
    <name>HistoryDialog</name>
    <message>
        <source>校准历史：%1（%2）</source>
        <translation>Calibration history: %1 (%2)</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>参考灵敏度</source>
        <translation>Reference sensitivity</translation>
    </message>
    <message>
        <source>与上次相比</source>
        <translation>Change since last</translation>
    </message>
    <message>
        <source>结论</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>重新打开</source>
        <translation>Reopen</translation>
    </message>
    <message>
        <source>这个传感器还没有测试记录</source>
        <translation>This sensor has no runs yet</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation>Not finished</translation>
    </message>
    <message>
        <source>参考灵敏度/%1</source>
        <translation>Reference sensitivity/%1</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>LabRecords</name>
    <message>
        <source>保存方案</source>
        <translation>Save scheme</translation>
    </message>
    <message>
        <source>方案名称：</source>
        <translation>Scheme name:</translation>
    </message>
    <message>
        <source>方案“%1”已经存在，要替换它吗？</source>
        <translation>Scheme "%1" exists already. Replace it?</translation>
    </message>
    <message>
        <source>方案没有保存：%1</source>
        <translation>Scheme not saved: %1</translation>
    </message>
    <message>
        <source>把“%1”设为传感器 %2 的默认方案吗？</source>
        <translation>Make "%1" the default scheme of sensor %2?</translation>
    </message>
    <message>
        <source>默认方案没有设置：%1</source>
        <translation>Default scheme not set: %1</translation>
    </message>
    <message>
        <source>还没有保存的方案</source>
        <translation>No scheme has been saved yet</translation>
    </message>
    <message>
        <source>载入方案</source>
        <translation>Load scheme</translation>
    </message>
    <message>
        <source>方案：</source>
        <translation>Scheme:</translation>
    </message>
    <message>
        <source>打开方案文件</source>
        <translation>Open scheme file</translation>
    </message>
    <message>
        <source>方案文件没有载入，表格未改变。
%1
%2</source>
        <translation>Scheme file not loaded; the table is unchanged.
%1
%2</translation>
    </message>
    <message>
        <source>保存方案文件</source>
        <translation>Save scheme file</translation>
    </message>
    <message>
        <source>方案文件没有保存：%1</source>
        <translation>Scheme file not saved: %1</translation>
    </message>
    <message>
        <source>请先在“传感器”菜单中选择传感器</source>
        <translation>Choose a sensor in the Sensor menu first</translation>
    </message>
    <message>
        <source>无法读取历史记录：%1</source>
        <translation>Cannot read the history: %1</translation>
    </message>
    <message>
        <source>数据库记录滞后：%1 项待写入，运行记录中都有</source>
        <translation>Records behind: %1 items wait for the database; the run journal has them all</translation>
    </message>
    <message>
        <source>数据库记录滞后：%1 项待写入，运行记录也无法写入，请导出报告保存</source>
        <translation>Records behind: %1 items wait for the database, and the run journal cannot be written either; export a report to keep them</translation>
    </message>
    <message>
        <source>无法打开记录数据库 %1：%2</source>
        <translation>Cannot open the records database %1: %2</translation>
    </message>
    <message>
        <source>传感器 %1（登记无法读取）</source>
        <translation>Sensor %1 (register unreadable)</translation>
    </message>
    <message>
        <source>传感器 %1 有默认方案“%2”，现在载入吗？</source>
        <translation>Sensor %1 has the default scheme "%2". Load it now?</translation>
    </message>
    <message>
        <source>表格中没有测试点</source>
        <translation>The table has no test points</translation>
    </message>
    <message>
        <source>方案“%1”没有载入，表格未改变。
%2</source>
        <translation>Scheme "%1" not loaded; the table is unchanged.
%2</translation>
    </message>
    <message>
        <source>无法读取这次测试：%1</source>
        <translation>Cannot read this run: %1</translation>
    </message>
    <message>
        <source>这次测试的传感器类型或输入类型与当前的不同，请先连接设备再重新打开</source>
        <translation>This run used other sensor or input types; connect the device first, then reopen it</translation>
    </message>
    <message>
        <source>结论：%1</source>
        <translation>Verdict: %1</translation>
    </message>
    <message>
        <source>参考灵敏度 %1 %2（%3 Hz）</source>
        <translation>Reference sensitivity %1 %2 (%3 Hz)</translation>
    </message>
    <message>
        <source>传感器：%1  %2</source>
        <translation>Sensor: %1  %2</translation>
    </message>
    <message>
        <source>传感器：%1</source>
        <translation>Sensor: %1</translation>
    </message>
    <message>
        <source>未选择传感器</source>
        <translation>No sensor chosen</translation>
    </message>
    <message>
        <source>实验室记录</source>
        <translation>Lab records</translation>
    </message>
</context>
<context>
    <name>SensorDialog</name>
    <message>
        <source>传感器登记</source>
        <translation>Sensor register</translation>
    </message>
    <message>
        <source>按序列号或型号筛选</source>
        <translation>Filter by serial number or model</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>新增…</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>编辑…</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>停用</source>
        <translation>Retire</translation>
    </message>
    <message>
        <source>无法读取传感器登记：%1</source>
        <translation>Cannot read the register: %1</translation>
    </message>
    <message>
        <source>只列出前 %1 个，请输入序列号或型号缩小范围</source>
        <translation>Only the first %1 are listed; type a serial number or model to narrow the list</translation>
    </message>
    <message>
        <source>%1 个传感器</source>
        <translation>%1 sensors</translation>
    </message>
    <message>
        <source>停用传感器 %1（%2）？它的历史记录仍然保留。</source>
        <translation>Retire sensor %1 (%2)? Its history is kept.</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>SensorEditDialog</name>
    <message>
        <source>编辑传感器</source>
        <translation>Edit sensor</translation>
    </message>
    <message>
        <source>新增传感器</source>
        <translation>Add sensor</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>传感器类型</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>输入类型</source>
        <translation>Input type</translation>
    </message>
    <message>
        <source>标称灵敏度</source>
        <translation>Nominal sensitivity</translation>
    </message>
    <message>
        <source>灵敏度容差 ±%</source>
        <translation>Sensitivity tolerance ±%</translation>
    </message>
    <message>
        <source>频响容差 ±%</source>
        <translation>Frequency response tolerance ±%</translation>
    </message>
    <message>
        <source>参考频率/Hz</source>
        <translation>Reference frequency/Hz</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>传感器登记</source>
        <translation>Sensor register</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SensorTableModel</name>
    <message>
        <source>序列号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>传感器类型</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>输入类型</source>
        <translation>Input type</translation>
    </message>
    <message>
        <source>标称灵敏度</source>
        <translation>Nominal sensitivity</translation>
    </message>
    <message>
        <source>参考频率/Hz</source>
        <translation>Reference frequency/Hz</translation>
    </message>
</context>
</TS>
