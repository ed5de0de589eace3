<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Config</name>
    <message>
        <source>无传感器类型!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>连接失败！</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>Export success!</source>
        <translation>导出成功！</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示信息</translation>
    </message>
    <message>
        <source>save file dialog</source>
        <translation>保存文件对话框</translation>
    </message>
    <message>
        <source>Word files(*.docx);;Word 97-2003 files(*.doc)</source>
        <translation>Word 文件(*.docx);;Word 97-2003 文件(*.doc)</translation>
    </message>
    <message>
        <source>不能打开文件写入！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出失败，至少添加一条记录！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出文件失败！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件复制失败!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已经存在!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未设置导出文件路径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel files(*.xlsx)</source>
        <translation>Excel 文件(*.xlsx)</translation>
    </message>
    <message>
        <source>PDF files(*.pdf)</source>
        <translation>PDF 文件(*.pdf)</translation>
    </message>
    <message>
        <source>RT-58A 振动传感器校准报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告日期：</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>RT-58A校准系统</translation>
    </message>
    <message>
        <source>Acceleration</source>
        <translation>加速度</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>幅值</translation>
    </message>
    <message>
        <source>Amplitude must be between 0 and 50</source>
        <translation>幅值必须在0-50以内</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>ControlAmplitude</source>
        <translation>控制幅值</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Device configuration</source>
        <translation>设备配置</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已断开</translation>
    </message>
    <message>
        <source>Displacement</source>
        <translation>位移</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 10000</source>
        <translation>频率必须在10-10000以内</translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 150</source>
        <translation>频率必须在10-150以内</translation>
    </message>
    <message>
        <source>Frequency must be between 10 and 1500</source>
        <translation>频率必须在10-1500以内</translation>
    </message>
    <message>
        <source>Frequency must not exceed 65535</source>
        <translation>频率不能超过65535</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>提示信息</translation>
    </message>
    <message>
        <source>Input type</source>
        <translation>输入类型</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>修改</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>序号</translation>
    </message>
    <message>
        <source>Parameter configuration</source>
        <translation>参数设置</translation>
    </message>
    <message>
        <source>Please select one row first</source>
        <translation>请先选择一行</translation>
    </message>
    <message>
        <source>Sensitivity</source>
        <translation>灵敏度</translation>
    </message>
    <message>
        <source>Sensor type</source>
        <translation>传感器类型</translation>
    </message>
    <message>
        <source>Start test</source>
        <translation>启动测试</translation>
    </message>
    <message>
        <source>Test control</source>
        <translation>测试控制</translation>
    </message>
    <message>
        <source>Test scheme</source>
        <translation>测试方案</translation>
    </message>
    <message>
        <source>The device is currently connected and is about to be disconnected!</source>
        <translation>当前设备正处于连接状态，即将断开连接！</translation>
    </message>
    <message>
        <source>Tips:
1.You can select a row to modify or delete!
2.You will see the sensitivities after you complete the test</source>
        <translation>建议:
1.你可以选择修改或者删除一行数据!
2.你完成测试之后会看到灵敏度值</translation>
    </message>
    <message>
        <source>Velocity</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>Vibration amplitude</source>
        <translation>振动幅值</translation>
    </message>
    <message>
        <source>Vibration frequency</source>
        <translation>振动频率</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>无标准幅度!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无此输入类型!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>沿X轴放大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>沿X轴缩小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>沿Y轴放大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>沿Y轴缩小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灵敏度/mms^-1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灵敏度/ms^-2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>灵敏度/um</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>运行记录无法写入：%1（%2）。本次测试的结果请导出报告保存。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>还原</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>频率-灵敏度曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>频率/Hz</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Sensor</source>
        <translation>传感器</translation>
    </message>
    <message>
        <source>Scheme</source>
        <translation>方案</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史</translation>
    </message>
    <message>
        <source>Choose sensor...</source>
        <translation>选择传感器…</translation>
    </message>
    <message>
        <source>Run without a registered sensor</source>
        <translation>不用登记的传感器</translation>
    </message>
    <message>
        <source>Save scheme...</source>
        <translation>保存方案…</translation>
    </message>
    <message>
        <source>Load scheme...</source>
        <translation>载入方案…</translation>
    </message>
    <message>
        <source>Open scheme file...</source>
        <translation>打开方案文件…</translation>
    </message>
    <message>
        <source>Save scheme file...</source>
        <translation>保存方案文件…</translation>
    </message>
    <message>
        <source>Sensor history...</source>
        <translation>校准历史…</translation>
    </message>
</context>
</TS>
