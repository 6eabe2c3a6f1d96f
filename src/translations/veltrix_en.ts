<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>激光雷达编辑器</source>
        <translation>Radar</translation>
    </message>
    <message>
        <source>软件版本: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>开发日期: 2024-08-21</source>
        <translation>Data: 2024-08-21</translation>
    </message>
    <message>
        <source>版本信息</source>
        <translation>Release Notes</translation>
    </message>
</context>
<context>
    <name>AppSettingsDialog</name>
    <message>
        <source>应用设置</source>
        <translation>App Settings</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>下载数据</source>
        <translation>Write All Setting</translation>
    </message>
    <message>
        <source>写入传感器前先确认</source>
        <translation>Confirm before writing to the scanner</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>当前文件夹</source>
        <translation>Current folder</translation>
    </message>
    <message>
        <source>浏览…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>打开和保存工程文件时，文件对话框从这个文件夹开始。</source>
        <translation>File dialogs for opening and saving projects start in this folder.</translation>
    </message>
</context>
<context>
    <name>Create</name>
    <message>
        <source>欢迎使用激光雷达区域设计软件</source>
        <translation>Welcome to Veltrix</translation>
    </message>
    <message>
        <source>创建</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开工程文件</source>
        <translation>Open Project file</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>以太网</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>DataTableDock</name>
    <message>
        <source>数据列表</source>
        <translation>Data Table</translation>
    </message>
    <message>
        <source>时间戳:</source>
        <translation>Timestamp:</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>距离[mm]</source>
        <comment>data table</comment>
        <translation>Distance[mm]</translation>
    </message>
    <message>
        <source>反光强度</source>
        <translation>Intensity</translation>
    </message>
</context>
<context>
    <name>DifferencesDialog</name>
    <message>
        <source>校验结果</source>
        <translation>Verification</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>输出区域</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>传感器</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>双击一行可在文档中选中该区域。</source>
        <translation>Double-click a row to select that area in the document.</translation>
    </message>
</context>
<context>
    <name>EditionDock</name>
    <message>
        <source>编辑控制</source>
        <translation>Edition Controls</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>编辑</source>
        <comment>edited area caption</comment>
        <translation>Regions</translation>
    </message>
    <message>
        <source>通道参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>打开延迟</source>
        <translation>On Delay</translation>
    </message>
    <message>
        <source>关闭延迟</source>
        <translation>Off Delay</translation>
    </message>
    <message>
        <source>关闭滞后比例</source>
        <translation>Hysteresis</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>检测物体大小</source>
        <translation>Detection Size</translation>
    </message>
    <message>
        <source>智能选择</source>
        <translation>CaseChannel</translation>
    </message>
    <message>
        <source>驱动转角范围</source>
        <translation>Dgree Range</translation>
    </message>
    <message>
        <source>车辆速度范围</source>
        <translation>Speed Range</translation>
    </message>
    <message>
        <source>车辆通道组别</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>通道组0</source>
        <translation>Type 0</translation>
    </message>
    <message>
        <source>通道组1</source>
        <translation>Type 1</translation>
    </message>
    <message>
        <source>通道组2</source>
        <translation>Type 2</translation>
    </message>
    <message>
        <source>通道组3</source>
        <translation>Type 3</translation>
    </message>
    <message>
        <source>通道组4</source>
        <translation>Type 4</translation>
    </message>
    <message>
        <source>输出1</source>
        <translation>Out 1</translation>
    </message>
    <message>
        <source>输出2</source>
        <translation>Out 2</translation>
    </message>
    <message>
        <source>输出3</source>
        <translation>Out 3</translation>
    </message>
</context>
<context>
    <name>EthnertSetting</name>
    <message>
        <source>以太网设置</source>
        <translation>Ethnert Setting</translation>
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
    <name>FieldEditPage</name>
    <message>
        <source>独立模式</source>
        <translation>Independent</translation>
    </message>
    <message>
        <source>依靠模式</source>
        <translation>Dependent</translation>
    </message>
    <message>
        <source>坐标</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>X/Y坐标</source>
        <translation>Controls XY</translation>
    </message>
    <message>
        <source>角度距离</source>
        <translation>Controls Polar</translation>
    </message>
    <message>
        <source>自学习</source>
        <translation>Teaching</translation>
    </message>
    <message>
        <source>区域</source>
        <comment>teach-in region</comment>
        <translation>Region</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Corner</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>平均值</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>抵消距离</source>
        <translation>Distance Offset</translation>
    </message>
    <message>
        <source>其他</source>
        <translation>Others</translation>
    </message>
    <message>
        <source>简单采样</source>
        <translation>Simplify The Result</translation>
    </message>
    <message>
        <source>开始自学习</source>
        <translation>Start Teach</translation>
    </message>
</context>
<context>
    <name>IOSimulationDock</name>
    <message>
        <source>IO端口仿真</source>
        <translation>IO Simulation</translation>
    </message>
    <message>
        <source>输入端口仿真</source>
        <translation>Input Simulation</translation>
    </message>
    <message>
        <source>输出端口仿真</source>
        <translation>Output Simulation</translation>
    </message>
    <message>
        <source>异常状态仿真</source>
        <translation>Fault Simulation</translation>
    </message>
    <message>
        <source>智能选择仿真</source>
        <translation>Simulation CaseChannel</translation>
    </message>
    <message>
        <source>驱动转角</source>
        <translation>Dgree</translation>
    </message>
    <message>
        <source>车辆速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>车辆操作模式</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>操作模式0</source>
        <translation>Type 0</translation>
    </message>
    <message>
        <source>操作模式1</source>
        <translation>Type 1</translation>
    </message>
    <message>
        <source>操作模式2</source>
        <translation>Type 2</translation>
    </message>
    <message>
        <source>操作模式3</source>
        <translation>Type 3</translation>
    </message>
    <message>
        <source>操作模式4</source>
        <translation>Type 4</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>激光雷达编辑器</source>
        <translation>Radar</translation>
    </message>
    <message>
        <source>安装方式</source>
        <translation>Set Mode</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>视窗</source>
        <translation>View</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connections</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interfaces</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>数据列表</source>
        <translation>Data Table</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>剪贴</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete All</translation>
    </message>
    <message>
        <source>应用设置</source>
        <translation>App Settings</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>强度</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>监控</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>输入输出仿真</source>
        <translation>IO Simulation</translation>
    </message>
    <message>
        <source>串口设置</source>
        <translation>Serial Setting</translation>
    </message>
    <message>
        <source>以太网设置</source>
        <translation>Ethernet Setting</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>以太网</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source>连接设备</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>断开设备</source>
        <translation>DisConnection</translation>
    </message>
    <message>
        <source>上传数据</source>
        <translation>Read All Setting</translation>
    </message>
    <message>
        <source>下载数据</source>
        <translation>Write All Setting</translation>
    </message>
    <message>
        <source>重启设备</source>
        <translation>Soft Reboot</translation>
    </message>
    <message>
        <source>传感器信息</source>
        <translation>Sensor Information</translation>
    </message>
    <message>
        <source>图形显示</source>
        <translation>Disp Graph</translation>
    </message>
    <message>
        <source>点云显示</source>
        <translation>Disp Cloud</translation>
    </message>
    <message>
        <source>线条显示</source>
        <translation>Disp Line</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>指南</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>新建文件</source>
        <translation>New</translation>
    </message>
    <message>
        <source>传感器设定</source>
        <translation>Sensor Setting</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>编辑</source>
        <comment>view mode</comment>
        <translation>Edition</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>Verify</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Export Report</translation>
    </message>
    <message>
        <source>打开录制</source>
        <translation>Open Recording</translation>
    </message>
    <message>
        <source>录制扫描</source>
        <translation>Record Scans</translation>
    </message>
    <message>
        <source>对照录制检查</source>
        <translation>Check Against Recording</translation>
    </message>
</context>
<context>
    <name>RecordingCheckDialog</name>
    <message>
        <source>对照录制检查</source>
        <translation>Check Against Recording</translation>
    </message>
    <message>
        <source>区域</source>
        <translation>Area</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>进入的扫描</source>
        <translation>Scans entered</translation>
    </message>
    <message>
        <source>首次</source>
        <translation>First</translation>
    </message>
    <message>
        <source>最严重</source>
        <translation>Worst</translation>
    </message>
    <message>
        <source>双击一行，回放就跳到那一刻：在“首次”一栏跳到第一次进入，在其他栏跳到最严重的一次（进入点离扫描仪最近）。</source>
        <translation>Double-click a row to see that moment in the replay: in the First column the first entry, elsewhere the worst one (the entering point nearest to the scanner).</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>播放/暂停</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>下一次扫描</source>
        <translation>Next scan</translation>
    </message>
    <message>
        <source>回放速度</source>
        <translation>Replay speed</translation>
    </message>
    <message>
        <source>最快</source>
        <translation>Fastest</translation>
    </message>
    <message>
        <source>结束回放</source>
        <translation>End the replay</translation>
    </message>
    <message>
        <source>录制中的时刻 / 录制的长度 · 扫描 / 扫描数</source>
        <translation>Moment in the recording / its length · scan / scans</translation>
    </message>
    <message>
        <source>当前区域跟随扫描仪录制时使用的区域</source>
        <translation>The current area follows the area the scanner used when it was recorded</translation>
    </message>
    <message>
        <source>跟随区域</source>
        <translation>Follow area</translation>
    </message>
</context>
<context>
    <name>ScannerConnection</name>
    <message>
        <source>连接被拒绝</source>
        <translation>connection refused</translation>
    </message>
    <message>
        <source>%1 秒内无应答</source>
        <translation>no answer within %1 s</translation>
    </message>
    <message>
        <source>不是 IPv4 地址</source>
        <translation>not an IPv4 address</translation>
    </message>
    <message>
        <source>无法到达该地址</source>
        <translation>address not reachable</translation>
    </message>
    <message>
        <source>传感器关闭了连接</source>
        <translation>the scanner closed the connection</translation>
    </message>
    <message>
        <source>没有这个串口</source>
        <translation>no such serial port</translation>
    </message>
    <message>
        <source>串口被占用或没有权限</source>
        <translation>serial port in use or not permitted</translation>
    </message>
    <message>
        <source>没有设置波特率</source>
        <translation>no baud rate set</translation>
    </message>
    <message>
        <source>串口适配器已拔出或不再响应</source>
        <translation>the serial adapter was unplugged or stopped responding</translation>
    </message>
    <message>
        <source>（系统：%1）</source>
        <translation>(system: %1)</translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation>reason unknown</translation>
    </message>
</context>
<context>
    <name>SensorSettingDock</name>
    <message>
        <source>传感器设定</source>
        <translation>Sensor Setting</translation>
    </message>
    <message>
        <source>传感器控制方式</source>
        <translation>Control Mode</translation>
    </message>
    <message>
        <source>IO接口控制</source>
        <translation>IO Interface</translation>
    </message>
    <message>
        <source>RS232通信控制</source>
        <translation>RS232 Interface</translation>
    </message>
    <message>
        <source>RS485通信控制</source>
        <translation>RS485 Interface</translation>
    </message>
    <message>
        <source>CAN总线控制</source>
        <translation>CAN Interface</translation>
    </message>
    <message>
        <source>Modbus协议控制</source>
        <translation>Modbus Interface</translation>
    </message>
    <message>
        <source>RS232通信波特率</source>
        <translation>RS232 BaudRate</translation>
    </message>
    <message>
        <source>RS232通信校验位</source>
        <translation>RS232 Verify</translation>
    </message>
    <message>
        <source>无校验</source>
        <translation>None</translation>
    </message>
    <message>
        <source>奇校验</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>偶校验</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>RS232通信停止位</source>
        <translation>RS232 StopBit</translation>
    </message>
    <message>
        <source>停止位1Bit</source>
        <translation>Stop 1Bit</translation>
    </message>
    <message>
        <source>停止位1.5Bit</source>
        <translation>Stop 1.5Bit</translation>
    </message>
    <message>
        <source>停止位2Bit</source>
        <translation>Stop 2Bit</translation>
    </message>
    <message>
        <source>RS485地址(1-127)</source>
        <translation>RS485 ID(1-127)</translation>
    </message>
    <message>
        <source>RS485通信波特率</source>
        <translation>RS485 BaudRate</translation>
    </message>
    <message>
        <source>RS485通信校验位</source>
        <translation>RS485 Verify</translation>
    </message>
    <message>
        <source>RS485通信停止位</source>
        <translation>RS485 StopBit</translation>
    </message>
    <message>
        <source>CAN总线地址(1-127)</source>
        <translation>CAN ID(1-127)</translation>
    </message>
    <message>
        <source>CAN总线波特率</source>
        <translation>CAN BaudRate</translation>
    </message>
    <message>
        <source>传感器输出逻辑</source>
        <translation>Output Logic</translation>
    </message>
    <message>
        <source>常闭方式</source>
        <translation>Normally closed mode</translation>
    </message>
    <message>
        <source>常开方式</source>
        <translation>Normally open mode</translation>
    </message>
    <message>
        <source>扫描电机速度</source>
        <translation>Motor SpeedRatio</translation>
    </message>
    <message>
        <source>扫描电机同步方式</source>
        <translation>MotorSync Mode</translation>
    </message>
    <message>
        <source>独立模式</source>
        <translation>Independent</translation>
    </message>
    <message>
        <source>主机模式</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>从机模式</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>扫描电机同步角度</source>
        <translation>MotorSync Angle</translation>
    </message>
    <message>
        <source>0度</source>
        <translation>0 deg</translation>
    </message>
    <message>
        <source>90度</source>
        <translation>90 deg</translation>
    </message>
    <message>
        <source>180度</source>
        <translation>180 deg</translation>
    </message>
    <message>
        <source>270度</source>
        <translation>270 deg</translation>
    </message>
    <message>
        <source>传感器安装方式</source>
        <translation>Install Direction</translation>
    </message>
    <message>
        <source>正向安装</source>
        <translation>Forward Install</translation>
    </message>
    <message>
        <source>倒立安装</source>
        <translation>Inverted Install</translation>
    </message>
    <message>
        <source>传感器扫描零位点值</source>
        <translation>Sensor Zero Value</translation>
    </message>
    <message>
        <source>以太网模式接口</source>
        <translation>Ethernet Mode</translation>
    </message>
    <message>
        <source>TCP服务器</source>
        <translation>TCP Server</translation>
    </message>
    <message>
        <source>UDP模式</source>
        <translation>UDP Mode</translation>
    </message>
    <message>
        <source>激光扫描频率</source>
        <translation>Sensor Scan frequency</translation>
    </message>
    <message>
        <source>激光角度分辨率</source>
        <translation>Sensor Scan Degree</translation>
    </message>
    <message>
        <source>0.1度</source>
        <translation>0.1 degree</translation>
    </message>
    <message>
        <source>0.2度</source>
        <translation>0.2 degree</translation>
    </message>
    <message>
        <source>采样噪声过滤等级</source>
        <translation>Scan Filter Level</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>简单</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>中等</source>
        <comment>scan filter level</comment>
        <translation>Middle</translation>
    </message>
    <message>
        <source>严格</source>
        <translation>Strict</translation>
    </message>
    <message>
        <source>多次回波选择</source>
        <translation>Stop Signal</translation>
    </message>
    <message>
        <source>第一次</source>
        <translation>First</translation>
    </message>
    <message>
        <source>第二次</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>最后一次</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>能量最大</source>
        <translation>MaxPower</translation>
    </message>
    <message>
        <source>脏污过滤距离</source>
        <translation>Dirty Distance</translation>
    </message>
    <message>
        <source>脏污过滤强度</source>
        <translation>Dirty Strength</translation>
    </message>
    <message>
        <source>拖尾过滤等级</source>
        <translation>Traili Filter</translation>
    </message>
    <message>
        <source>中等</source>
        <comment>trailing filter level</comment>
        <translation>Medium</translation>
    </message>
    <message>
        <source>以太网IP地址:</source>
        <translation>IP Address:</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>串口设置</source>
        <translation>Serial Setting</translation>
    </message>
    <message>
        <source>选择串口</source>
        <translation>Serial Select</translation>
    </message>
    <message>
        <source>串口号:</source>
        <translation>Serial Number:</translation>
    </message>
    <message>
        <source>参数设置:</source>
        <translation>Parameters Setting:</translation>
    </message>
    <message>
        <source>波特率:</source>
        <translation>Baud Rate:</translation>
    </message>
    <message>
        <source>数据位:</source>
        <translation>Data Bits:</translation>
    </message>
    <message>
        <source>奇偶校验:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>停止位:</source>
        <translation>Stop Bits:</translation>
    </message>
    <message>
        <source>流控制:</source>
        <translation>Flow Control:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TransferQuestions</name>
    <message>
        <source>连接设备</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>读取传感器配置将覆盖当前工程中未保存的修改。</source>
        <translation>Reading the scanner&apos;s configuration replaces the unsaved changes of this project.</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>保留工程</source>
        <translation>Keep Project</translation>
    </message>
    <message>
        <source>（未保存）</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <source>（有未保存的修改）</source>
        <translation> (with unsaved changes)</translation>
    </message>
    <message>
        <source>下载数据</source>
        <translation>Write All Setting</translation>
    </message>
    <message>
        <source>将工程写入传感器，替换其中的全部配置？</source>
        <translation>Write the project to the scanner, replacing its whole configuration?</translation>
    </message>
    <message>
        <source>目标：%1</source>
        <translation>Target: %1</translation>
    </message>
    <message>
        <source>型号：%1</source>
        <translation>Model: %1</translation>
    </message>
    <message>
        <source>工程文件：%1</source>
        <translation>Project file: %1</translation>
    </message>
    <message>
        <source>非空区域：%1 / %2</source>
        <translation>Areas not empty: %1 of %2</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>veltrix::AREA_TABLE</name>
    <message>
        <source>区域%1：有输出区域无法传输，没有校验和</source>
        <translation>Area %1: a field cannot be transferred, no checksum</translation>
    </message>
    <message>
        <source>区域%1  校验和 %2</source>
        <translation>Area %1  checksum %2</translation>
    </message>
</context>
<context>
    <name>veltrix::About</name>
    <message>
        <source>版本信息: 1.3.5
更新日期: 20231226
更新内容:
1)产品发布
2)增加监控模式下通道自动切换功能，优化图形显示界面
3)增加以太网模式，增加以太网版本激光扫描频率角度可调
4)增加噪声过滤等级设置
5)增加多种图形显示方式：区域，点云，线段
6)解决超过保护容易触发的问题
7)视窗放大可以观察到毫米级别精度
8)解决运行库版本不兼容导致的弹窗
9)增加传感器IP地址可全部配置，传感器软件版本V1.9或更高
10)传感器V2.0版本以上的产品信息读取，兼容V2.0以下的
11)修改IP发现策略，自动绑定所有网络设计，修复找不到传感器的Bug
12)增加多次回波版本的参数配置
13)增加部分传感器支持拖尾过滤算法</source>
        <translation>Version Information: 1.3.5
Update Date: 20231226
Update Content:
1)Product Release.
2)Increase the channel auto-switching function in monitor mode to optimize the graphical display interface.
3)Increase the Ethernet mode and increase the Ethernet version. The laser scanning frequency can be adjusted.
4)Increase noise filter level setting.
5)Add multiple graphic display methods: area, point cloud, line segment.
6)Solve the problem that over protection is easy to trigger.
7)Zoom in the window to observe millimeter accuracy.
8)Solve the pop-up window caused by the incompatibility of the runtime version.
9)Adding the sensor IP address can be all configured, and the sensor software version is V1.9 or higher.
10)Sensor v2 Product information reading above version 0, compatible with v2.0 Below.
11)Modify the IP discovery strategy, automatically bind all network designs, and repair the bug that cannot find the sensor.
12)Add parameter configuration for multiple echo versions.
13)Add some sensors to support trailing filtering algorithms.</translation>
    </message>
    <message>
        <source>版本信息: 1.3.6
更新日期: 20240815
更新内容:
1)界面优化
2)增加下载生效是否重启提示框
3)增加传感器正装、倒转,设置与显示
4)增加传感器状态反馈显示
5)增加配置文件信息，配置软件的版本和保存日期
6)优化搜索传感器IP地址方式
7)修复TCP断连重连问题
8)IP地址范围
9)连接失败弹出界面优化</source>
        <translation>Version Information: 1.3.6
Update Date: 20240815
Update Content:
1)Improve Interface.
2)Add Restart Messagebox.
3)Add Direction Setting.
4)Add Status Display.
5)Add Config Information.
6)Search IP Address.
7)Reset IP Address.
8)IP Address Range.</translation>
    </message>
    <message>
        <source>版本信息: 1.3.7
更新日期: 20240821
更新内容:
1)中英翻译优化
2)优化UDP连接</source>
        <translation>Version Information: 1.3.7
Update Date: 20240821
Update Content:
1)English translation.
2)Improve UDP Connect.</translation>
    </message>
</context>
<context>
    <name>veltrix::AreaPages</name>
    <message>
        <source>区域 %1</source>
        <translation>Area %1</translation>
    </message>
    <message>
        <source>区域 %1（续）</source>
        <translation>Area %1 (continued)</translation>
    </message>
    <message>
        <source>区域校验和 %1</source>
        <translation>Area checksum %1</translation>
    </message>
    <message>
        <source>比例 1:%1 · 网格 %2 m</source>
        <translation>Scale 1:%1 · grid %2 m</translation>
    </message>
    <message numerus="yes">
        <source>%1 %2，%n 个点</source>
        <translation>
            <numerusform>%1 %2, %n point</numerusform>
            <numerusform>%1 %2, %n points</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltrix::COORD_TABLE</name>
    <message>
        <source>点数</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>距离[mm]</source>
        <translation>R [mm]</translation>
    </message>
    <message>
        <source>角度[deg]</source>
        <translation>Th [deg]</translation>
    </message>
    <message>
        <source>X坐标[mm]</source>
        <translation>X [mm]</translation>
    </message>
    <message>
        <source>Y坐标[mm]</source>
        <translation>Y [mm]</translation>
    </message>
</context>
<context>
    <name>veltrix::Cli</name>
    <message>
        <source>未知选项“%1”</source>
        <translation>unknown option &apos;%1&apos;</translation>
    </message>
    <message>
        <source>选项“%1”需要一个值</source>
        <translation>option &apos;%1&apos; needs a value</translation>
    </message>
    <message>
        <source>选项“%1”不带值</source>
        <translation>option &apos;%1&apos; takes no value</translation>
    </message>
    <message>
        <source>--%1 需要一个正的秒数，不是“%2”</source>
        <translation>--%1 takes a positive number of seconds, not &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>check 需要一个项目文件和一个扫描记录</source>
        <translation>check takes a project file and a scan recording</translation>
    </message>
    <message>
        <source>注意：记录时传感器的配置校验和为 %1，项目为 %2。</source>
        <translation>Note: the sensor&apos;s configuration checksum was %1 when this was recorded; the project&apos;s is %2.</translation>
    </message>
    <message>
        <source>区域%1 Out%2：%3 次扫描进入，首次在第 %4 次扫描（%5），最深处 %6 mm，%7°（第 %8 次扫描，%9）</source>
        <translation>Area %1 Out%2: entered by %3 scans, first scan %4 (%5), deepest %6 mm at %7° (scan %8, %9)</translation>
    </message>
    <message>
        <source>%1 次扫描都没有进入任何输出区域。</source>
        <translation>None of the %1 scans entered any field.</translation>
    </message>
    <message>
        <source>缺少项目文件</source>
        <translation>a project file is missing</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>  区域%1  %2</source>
        <translation>  area %1  %2</translation>
    </message>
    <message>
        <source>列出本地网络上应答搜索的传感器，以及它们的地址和以太网模式</source>
        <translation>lists the sensors on the local networks that answer a search, with their addresses and Ethernet modes</translation>
    </message>
    <message>
        <source>  --timeout S    等待应答的秒数（默认 2）</source>
        <translation>  --timeout S    seconds to wait for answers (default 2)</translation>
    </message>
    <message>
        <source>读取传感器的全部设置，保存为项目文件</source>
        <translation>reads a sensor&apos;s whole configuration into a project file</translation>
    </message>
    <message>
        <source>  -o, --output FILE  项目文件；型号取自扩展名 .KT05…KT50，或由 --model 指定</source>
        <translation>  -o, --output FILE  the project file; the model is its extension .KT05…KT50, or --model</translation>
    </message>
    <message>
        <source>把项目文件同时写入一个或多个传感器，然后读回校验</source>
        <translation>writes a project file to one or many sensors at once, then reads each back and compares</translation>
    </message>
    <message>
        <source>  --targets LIST  从文件读取目标，每行一个
  --no-verify     写入后不读回校验
  --reboot        写入（并校验一致）后重启传感器</source>
        <translation>  --targets LIST  read targets from a file, one per line
  --no-verify     do not read back after writing
  --reboot        restart each sensor once written (and found identical)</translation>
    </message>
    <message>
        <source>读回一个或多个传感器的设置，与项目文件比较</source>
        <translation>reads one or many sensors back and compares them with a project file</translation>
    </message>
    <message>
        <source>  --targets LIST  从文件读取目标，每行一个</source>
        <translation>  --targets LIST  read targets from a file, one per line</translation>
    </message>
    <message>
        <source>显示项目文件的配置校验和</source>
        <translation>shows the configuration checksum of project files</translation>
    </message>
    <message>
        <source>  --areas  同时列出每个区域的校验和</source>
        <translation>  --areas  also list each area&apos;s checksum</translation>
    </message>
    <message>
        <source>列出两个项目文件的全部差异</source>
        <translation>lists every difference between two project files</translation>
    </message>
    <message>
        <source>检查扫描记录中的哪些扫描进入了项目的输出区域</source>
        <translation>checks which scans of a recording entered the project&apos;s fields</translation>
    </message>
    <message>
        <source>用法：%1 命令 [参数]... [--json]</source>
        <translation>Usage: %1 COMMAND [ARGUMENT]... [--json]</translation>
    </message>
    <message>
        <source>读取、写入和校验安全激光扫描仪的设置，可同时处理多台。</source>
        <translation>Reads, writes and verifies the configuration of safety laser scanners, many at once.</translation>
    </message>
    <message>
        <source>命令：</source>
        <translation>Commands:</translation>
    </message>
    <message>
        <source>目标：tcp:地址、udp:地址、IPv4 地址（使用搜索得到的以太网模式，否则 TCP）、serial:设备[@波特率]（默认 %1）</source>
        <translation>TARGET: tcp:ADDRESS, udp:ADDRESS, an IPv4 address (in the Ethernet mode a search finds, TCP otherwise), serial:DEVICE[@BAUD] (default %1)</translation>
    </message>
    <message>
        <source>  --json         以 JSON 输出结果
  -h, --help     显示帮助（命令后：该命令的帮助）
  -v, --version  显示版本</source>
        <translation>  --json         print the result as JSON
  -h, --help     show this help (after a command: its help)
  -v, --version  show the version</translation>
    </message>
    <message>
        <source>退出码：0 完成，1 有差异或传感器拒绝，2 用法错误或文件无法使用，3 连接失败</source>
        <translation>Exit codes: 0 done, 1 differences or refused by a sensor, 2 usage or a file that cannot be used, 3 link failure</translation>
    </message>
    <message>
        <source>用法：%1 %2 %3 [--json]</source>
        <translation>Usage: %1 %2 %3 [--json]</translation>
    </message>
    <message>
        <source>diff 需要正好两个项目文件</source>
        <translation>diff takes exactly two project files</translation>
    </message>
    <message>
        <source>型号：%1，%2</source>
        <translation>model: %1, %2</translation>
    </message>
    <message>
        <source>%1：%2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>两个文件的配置完全相同。</source>
        <translation>The two files hold the same configuration.</translation>
    </message>
    <message>
        <source>discover 不需要参数：“%1”</source>
        <translation>discover takes no arguments: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>ADDRESS</translation>
    </message>
    <message>
        <source>以太网模式</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>%1 秒内没有传感器应答。</source>
        <translation>No sensor answered within %1 s.</translation>
    </message>
    <message>
        <source>目标</source>
        <translation>TARGET</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>LINK</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>RESULT</translation>
    </message>
    <message>
        <source>校验和</source>
        <translation>CHECKSUM</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>TIME</translation>
    </message>
    <message>
        <source>%1 的差异：</source>
        <translation>Differences of %1:</translation>
    </message>
    <message>
        <source>至少需要一个目标</source>
        <translation>at least one target is needed</translation>
    </message>
    <message>
        <source>写入 %1（校验和 %2）到 %3 台传感器</source>
        <translation>Writing %1 (checksum %2) to %3 sensor(s)</translation>
    </message>
    <message>
        <source>用 %1（校验和 %2）校验 %3 台传感器</source>
        <translation>Verifying %3 sensor(s) against %1 (checksum %2)</translation>
    </message>
    <message>
        <source>缺少命令（见 veltrix-cli --help）</source>
        <translation>a command is missing (see veltrix-cli --help)</translation>
    </message>
    <message>
        <source>未知命令“%1”（见 veltrix-cli --help）</source>
        <translation>unknown command &apos;%1&apos; (see veltrix-cli --help)</translation>
    </message>
    <message>
        <source>等待</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>正在连接</source>
        <translation>connecting</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>reading</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>writing</translation>
    </message>
    <message>
        <source>读回校验</source>
        <translation>reading back</translation>
    </message>
    <message>
        <source>正在重启</source>
        <translation>restarting</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>done</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation>unfinished</translation>
    </message>
    <message>
        <source>完全相同</source>
        <translation>identical</translation>
    </message>
    <message>
        <source>已写入（未校验）</source>
        <translation>written (not verified)</translation>
    </message>
    <message>
        <source>已读取</source>
        <translation>read</translation>
    </message>
    <message>
        <source>有差异</source>
        <translation>differences</translation>
    </message>
    <message>
        <source>被拒绝</source>
        <translation>refused</translation>
    </message>
    <message>
        <source>连接失败</source>
        <translation>link failure</translation>
    </message>
    <message>
        <source>：%1</source>
        <translation>: %1</translation>
    </message>
    <message>
        <source>无法打开项目文件 %1：%2</source>
        <translation>cannot open the project file %1: %2</translation>
    </message>
    <message>
        <source>项目文件 %1 已损坏：%2</source>
        <translation>the project file %1 is damaged: %2</translation>
    </message>
    <message>
        <source>read 需要正好一个目标</source>
        <translation>read takes exactly one target</translation>
    </message>
    <message>
        <source>用 -o 指定要写入的项目文件</source>
        <translation>name the project file to write with -o</translation>
    </message>
    <message>
        <source>未知型号“%1”（应为 05、10、20、30 或 50）</source>
        <translation>unknown model &apos;%1&apos; (05, 10, 20, 30 or 50)</translation>
    </message>
    <message>
        <source>文件名 %1 与型号 %2 不符</source>
        <translation>the file name %1 does not fit model %2</translation>
    </message>
    <message>
        <source>无法从 %1 得知型号：请使用扩展名 .KT05…KT50 或 --model</source>
        <translation>cannot tell the model from %1: use an extension .KT05…KT50 or --model</translation>
    </message>
    <message>
        <source>无法保存 %1：%2</source>
        <translation>cannot save %1: %2</translation>
    </message>
    <message>
        <source>%1 的设置已保存到 %2（校验和 %3）</source>
        <translation>The configuration of %1 is saved in %2 (checksum %3)</translation>
    </message>
    <message>
        <source>无法打开串口 %1</source>
        <translation>cannot open the serial port %1</translation>
    </message>
    <message>
        <source>“%1”不是 IPv4 地址</source>
        <translation>&apos;%1&apos; is not an IPv4 address</translation>
    </message>
    <message>
        <source>无法连接 %1</source>
        <translation>cannot connect to %1</translation>
    </message>
    <message>
        <source>与 %1 的连接已断开</source>
        <translation>the connection to %1 was lost</translation>
    </message>
    <message>
        <source>串口 %1 已不可用</source>
        <translation>the serial port %1 is gone</translation>
    </message>
    <message>
        <source>传感器中的设置与文档有 %1 处不同。</source>
        <translation>The sensor differs from the document in %1 place(s).</translation>
    </message>
    <message>
        <source>传感器没有应答（连续 %1 次超时）</source>
        <translation>the sensor does not answer (%1 time-outs in a row)</translation>
    </message>
    <message>
        <source>与传感器的连接已断开</source>
        <translation>the connection to the sensor was lost</translation>
    </message>
    <message>
        <source>“%1”不是目标（应为 tcp:地址、udp:地址、IPv4 地址或 serial:设备[@波特率]）</source>
        <translation>&apos;%1&apos; is not a target (tcp:ADDRESS, udp:ADDRESS, an IPv4 address or serial:DEVICE[@BAUD])</translation>
    </message>
    <message>
        <source>目标“%1”重复出现</source>
        <translation>the target &apos;%1&apos; is named twice</translation>
    </message>
    <message>
        <source>无法读取目标列表 %1：%2</source>
        <translation>cannot read the list of targets %1: %2</translation>
    </message>
    <message>
        <source>完全相同，已重启</source>
        <translation>identical, restarted</translation>
    </message>
    <message>
        <source>已写入（未校验），已重启</source>
        <translation>written (not verified), restarted</translation>
    </message>
    <message>
        <source>把项目文件的配置报告写成 PDF，供工程师核对签字</source>
        <translation>Write the configuration report of a project file as a PDF for an engineer to check and sign</translation>
    </message>
    <message>
        <source>  -o, --output PDF  要写入的报告</source>
        <translation>  -o, --output PDF  the report to write</translation>
    </message>
    <message>
        <source>report 需要正好一个项目文件</source>
        <translation>report needs exactly one project file</translation>
    </message>
    <message>
        <source>用 -o 指定要写入的 PDF 文件</source>
        <translation>name the PDF file to write with -o</translation>
    </message>
    <message>
        <source>已写入报告 %1（%2 页）</source>
        <translation>Report %1 written (%2 pages)</translation>
    </message>
</context>
<context>
    <name>veltrix::ConfigurationChecks</name>
    <message>
        <source>传感器中配置的校验和（%1 读取）</source>
        <translation>The checksum of the sensor&apos;s configuration (read at %1)</translation>
    </message>
    <message>
        <source>文档“%1”的配置校验和（%2）</source>
        <translation>The configuration checksum of the document &apos;%1&apos; (%2)</translation>
    </message>
    <message>
        <source>区域%1 的 Out%2 无法传输，没有校验和。</source>
        <translation>Out%2 of area %1 cannot be transferred: there is no checksum.</translation>
    </message>
    <message>
        <source>校验和 %1</source>
        <translation>Checksum %1</translation>
    </message>
</context>
<context>
    <name>veltrix::ConfigurationDifferenceText</name>
    <message>
        <source>传感器控制方式</source>
        <translation>Control Mode</translation>
    </message>
    <message>
        <source>RS232通信波特率</source>
        <translation>RS232 BaudRate</translation>
    </message>
    <message>
        <source>RS232通信校验位</source>
        <translation>RS232 Verify</translation>
    </message>
    <message>
        <source>RS232通信停止位</source>
        <translation>RS232 StopBit</translation>
    </message>
    <message>
        <source>RS485地址</source>
        <translation>RS485 ID</translation>
    </message>
    <message>
        <source>RS485通信波特率</source>
        <translation>RS485 BaudRate</translation>
    </message>
    <message>
        <source>RS485通信校验位</source>
        <translation>RS485 Verify</translation>
    </message>
    <message>
        <source>RS485通信停止位</source>
        <translation>RS485 StopBit</translation>
    </message>
    <message>
        <source>CAN总线地址</source>
        <translation>CAN ID</translation>
    </message>
    <message>
        <source>CAN总线波特率</source>
        <translation>CAN BaudRate</translation>
    </message>
    <message>
        <source>传感器输出逻辑</source>
        <translation>Output Logic</translation>
    </message>
    <message>
        <source>扫描电机速度</source>
        <translation>Motor SpeedRatio</translation>
    </message>
    <message>
        <source>扫描电机同步方式</source>
        <translation>MotorSync Mode</translation>
    </message>
    <message>
        <source>扫描电机同步角度</source>
        <translation>MotorSync Angle</translation>
    </message>
    <message>
        <source>传感器安装方式</source>
        <translation>Install Direction</translation>
    </message>
    <message>
        <source>传感器扫描零位点值</source>
        <translation>Sensor Zero Value</translation>
    </message>
    <message>
        <source>以太网模式接口</source>
        <translation>Ethernet Mode</translation>
    </message>
    <message>
        <source>激光扫描频率</source>
        <translation>Sensor Scan frequency</translation>
    </message>
    <message>
        <source>激光角度分辨率</source>
        <translation>Sensor Scan Degree</translation>
    </message>
    <message>
        <source>采样噪声过滤等级</source>
        <translation>Scan Filter Level</translation>
    </message>
    <message>
        <source>以太网IP地址（前两段）</source>
        <translation>IP Address (first two octets)</translation>
    </message>
    <message>
        <source>以太网IP地址（后两段）</source>
        <translation>IP Address (last two octets)</translation>
    </message>
    <message>
        <source>打开延迟</source>
        <translation>On Delay</translation>
    </message>
    <message>
        <source>关闭延迟</source>
        <translation>Off Delay</translation>
    </message>
    <message>
        <source>关闭滞后比例</source>
        <translation>Hysteresis</translation>
    </message>
    <message>
        <source>检测物体大小</source>
        <translation>Detection Size</translation>
    </message>
    <message>
        <source>最小驱动转角</source>
        <translation>Min Steering Angle</translation>
    </message>
    <message>
        <source>最大驱动转角</source>
        <translation>Max Steering Angle</translation>
    </message>
    <message>
        <source>最小车辆速度</source>
        <translation>Min Speed</translation>
    </message>
    <message>
        <source>最大车辆速度</source>
        <translation>Max Speed</translation>
    </message>
    <message>
        <source>车辆通道组别</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>多边形</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>圆弧</source>
        <translation>Arc</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>直线</source>
        <translation>Straight</translation>
    </message>
    <message>
        <source>扇形</source>
        <translation>Fan</translation>
    </message>
    <message>
        <source>比例</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>参数字%1</source>
        <translation>Parameter word %1</translation>
    </message>
    <message>
        <source>区域参数%1</source>
        <translation>Area number %1</translation>
    </message>
    <message>
        <source>形状%1</source>
        <translation>Shape %1</translation>
    </message>
    <message>
        <source>参数 %1</source>
        <translation>Parameter %1</translation>
    </message>
    <message>
        <source>区域%1 %2</source>
        <translation>Area %1 %2</translation>
    </message>
    <message>
        <source>区域%1 Out%2 形状</source>
        <translation>Area %1 Out%2 shape</translation>
    </message>
    <message>
        <source>区域%1 Out%2 第%3点</source>
        <translation>Area %1 Out%2 point %3</translation>
    </message>
    <message>
        <source>区域%1 Out%2 圆弧起点</source>
        <translation>Area %1 Out%2 arc start</translation>
    </message>
    <message>
        <source>区域%1 Out%2 圆弧终点</source>
        <translation>Area %1 Out%2 arc end</translation>
    </message>
    <message>
        <source>区域%1 Out%2 距离</source>
        <translation>Area %1 Out%2 distance</translation>
    </message>
    <message>
        <source>区域%1 Out%2 传输</source>
        <translation>Area %1 Out%2 transfer</translation>
    </message>
    <message>
        <source>可以传输</source>
        <translation>fits</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>通道组%1</source>
        <translation>Type %1</translation>
    </message>
    <message>
        <source>%1个点（最多%2个）</source>
        <translation>%1 points (at most %2)</translation>
    </message>
    <message>
        <source>有点超出传输范围</source>
        <translation>a point beyond the wire&apos;s range</translation>
    </message>
    <message>
        <source>%1：文档 %2，传感器 %3</source>
        <translation>%1: document %2, scanner %3</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>区域%1</source>
        <translation>Area %1</translation>
    </message>
    <message>
        <source>形状</source>
        <translation>shape</translation>
    </message>
    <message>
        <source>第%1点</source>
        <translation>point %1</translation>
    </message>
    <message>
        <source>圆弧起点</source>
        <translation>arc start</translation>
    </message>
    <message>
        <source>圆弧终点</source>
        <translation>arc end</translation>
    </message>
    <message>
        <source>距离</source>
        <translation>distance</translation>
    </message>
    <message>
        <source>传输</source>
        <translation>transfer</translation>
    </message>
</context>
<context>
    <name>veltrix::ConfigurationReport</name>
    <message>
        <source>无法写入报告“%1”：%2</source>
        <translation>Cannot write the report &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>激光扫描仪配置报告</source>
        <translation>Laser Scanner Configuration Report</translation>
    </message>
    <message>
        <source>无法创建PDF</source>
        <translation>cannot create the PDF</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>项目文件</source>
        <translation>Project file</translation>
    </message>
    <message>
        <source>（未保存）</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <source>日期和时间</source>
        <translation>Date and time</translation>
    </message>
    <message>
        <source>配置校验和</source>
        <translation>Configuration checksum</translation>
    </message>
    <message>
        <source>无（有区域无法传输）</source>
        <translation>none (an area cannot be transferred)</translation>
    </message>
    <message>
        <source>程序版本</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>有输出区域的区域</source>
        <translation>Areas with fields</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1 个：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>本人已核对：本报告所列配置即传感器中的配置。</source>
        <translation>I have checked that the configuration in this report is the configuration in the sensor.</translation>
    </message>
    <message>
        <source>工程师签名</source>
        <translation>Engineer&apos;s signature</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>设定</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>配置校验和 %1</source>
        <translation>Configuration checksum %1</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>veltrix::ConnectionControl</name>
    <message>
        <source>连接到 %1 : %2, %3, %4, %5, %6</source>
        <translation>Connected to %1 : %2, %3, %4, %5, %6</translation>
    </message>
    <message>
        <source>串口号:%1 </source>
        <translation>COM:%1 </translation>
    </message>
    <message>
        <source>正在连接 %1:%2</source>
        <translation>Connecting to %1:%2</translation>
    </message>
    <message>
        <source>连接到</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>IP地址:%1 </source>
        <translation>IPAddress:%1 </translation>
    </message>
    <message>
        <source>以太网连接已断开</source>
        <translation>Ethernet connection lost</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>已断开连接</source>
        <translation>Disconnected</translation>
    </message>
    <message>
        <source>打开错误</source>
        <translation>Open error</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>Serial Open error</translation>
    </message>
    <message>
        <source>以太网连接失败</source>
        <translation>Ethernet Open error</translation>
    </message>
    <message>
        <source>传感器无应答</source>
        <translation>Scanner does not answer</translation>
    </message>
    <message>
        <source>串口已断开</source>
        <translation>Serial port disconnected</translation>
    </message>
</context>
<context>
    <name>veltrix::DifferencesDialog</name>
    <message>
        <source>传感器中的设置与文档有 %1 处不同：</source>
        <translation>The sensor differs from the document in %1 place(s):</translation>
    </message>
</context>
<context>
    <name>veltrix::FieldEntryView</name>
    <message numerus="yes">
        <source>%1: %n 个点</source>
        <translation>
            <numerusform>%1: %n point</numerusform>
            <numerusform>%1: %n points</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n 个点, 最近 %2 mm, %3°</source>
        <translation>
            <numerusform>%1: %n point, nearest %2 mm at %3°</numerusform>
            <numerusform>%1: %n points, nearest %2 mm at %3°</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>veltrix::MainWindow</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>关于应用程序
您修改了数据直接退出而不保存？</source>
        <translation>The application
Do you want to discart your changes?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>激光雷达编辑器</source>
        <translation>Radar</translation>
    </message>
    <message>
        <source>指南</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>找不到用户手册 %1。
查找过的文件夹：
%2</source>
        <translation>The user manual %1 was not found.
Folders searched:
%2</translation>
    </message>
    <message>
        <source>没有程序能打开用户手册 %1。</source>
        <translation>No program could open the user manual %1.</translation>
    </message>
</context>
<context>
    <name>veltrix::ProjectFile</name>
    <message>
        <source>文件在第 %1 行结束，缺少“%2”。</source>
        <translation>The file ends at line %1, before “%2”.</translation>
    </message>
    <message>
        <source>第 1 行应为“%1”。</source>
        <translation>Line 1 should be “%1”.</translation>
    </message>
    <message>
        <source>第 1 行不是任何型号的项目文件的第一行。</source>
        <translation>Line 1 is not the first line of a project file of any model.</translation>
    </message>
    <message>
        <source>第 %1 行：区域号“%2”不在 0 到 %3 之间。</source>
        <translation>Line %1: the area number “%2” is not between 0 and %3.</translation>
    </message>
</context>
<context>
    <name>veltrix::ProjectFiles</name>
    <message>
        <source>打开配置文件</source>
        <translation>Open Config file</translation>
    </message>
    <message>
        <source>Document</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>No document</source>
        <translation>No document</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>文件损坏</source>
        <translation>FileError</translation>
    </message>
    <message>
        <source>保存配置文件</source>
        <translation>Save Config file</translation>
    </message>
    <message>
        <source>无法保存文件“%1”。</source>
        <translation>The file “%1” could not be saved.</translation>
    </message>
    <message>
        <source>“%1”已存在。
要替换它吗？</source>
        <translation>“%1” already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>关于应用程序
您修改了数据直接改变而不保存？</source>
        <translation>The application
Do you want to discart your changes?</translation>
    </message>
</context>
<context>
    <name>veltrix::RecordingCheckDialog</name>
    <message>
        <source>正在对照录制检查…</source>
        <translation>Checking against the recording…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>“%1”：%2 次扫描，%3，型号 %4。</source>
        <translation>“%1”: %2 scans, %3, model %4.</translation>
    </message>
    <message>
        <source>录制时扫描仪的配置未知。</source>
        <translation>The scanner&apos;s configuration was not known when it was recorded.</translation>
    </message>
    <message>
        <source>录制时扫描仪的配置校验和：%1，与项目的配置相同。</source>
        <translation>Checksum of the scanner&apos;s configuration when recorded: %1, the same as the project&apos;s.</translation>
    </message>
    <message>
        <source>录制时扫描仪的配置校验和：%1，项目的配置不同（%2）。</source>
        <translation>Checksum of the scanner&apos;s configuration when recorded: %1; the project&apos;s configuration differs (%2).</translation>
    </message>
    <message>
        <source>录制时扫描仪的配置校验和：%1。</source>
        <translation>Checksum of the scanner&apos;s configuration when recorded: %1.</translation>
    </message>
    <message>
        <source>正在检查…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>检查已取消：只检查了前 %1 次扫描（共 %2 次）。</source>
        <translation>Check cancelled: only the first %1 of %2 scans were checked.</translation>
    </message>
    <message>
        <source>检查在第 %1 次扫描中断：%2</source>
        <translation>The check stopped at scan %1: %2</translation>
    </message>
    <message>
        <source>项目中没有画了点的区域。</source>
        <translation>No area of the project has points.</translation>
    </message>
    <message>
        <source>检查了全部 %1 次扫描。</source>
        <translation>All %1 scans checked.</translation>
    </message>
    <message>
        <source>%1（扫描 %2）</source>
        <translation>%1 (scan %2)</translation>
    </message>
    <message>
        <source>%1（扫描 %2）：%3 mm，%4°</source>
        <translation>%1 (scan %2): %3 mm at %4°</translation>
    </message>
</context>
<context>
    <name>veltrix::RecordingReader</name>
    <message>
        <source>无法打开“%1”：%2</source>
        <translation>Cannot open “%1”: %2</translation>
    </message>
    <message>
        <source>“%1”不是扫描录制文件。</source>
        <translation>“%1” is not a scan recording.</translation>
    </message>
    <message>
        <source>“%1”由较新版本的程序录制（格式 %2），无法读取。</source>
        <translation>“%1” was recorded by a newer version of the program (format %2) and cannot be read.</translation>
    </message>
    <message>
        <source>“%1”已损坏：文件头无效。</source>
        <translation>“%1” is damaged: its header is not valid.</translation>
    </message>
    <message>
        <source>“%1”已损坏：第 %2 字节处的记录无效。</source>
        <translation>“%1” is damaged: the record at byte %2 is not valid.</translation>
    </message>
    <message>
        <source>“%1”已损坏：扫描 %2 无法读取。</source>
        <translation>“%1” is damaged: scan %2 cannot be read.</translation>
    </message>
    <message>
        <source>“%1”中没有扫描 %2。</source>
        <translation>“%1” holds no scan %2.</translation>
    </message>
</context>
<context>
    <name>veltrix::RecordingWriter</name>
    <message>
        <source>无法写入“%1”：%2</source>
        <translation>Cannot write “%1”: %2</translation>
    </message>
    <message>
        <source>录制未打开。</source>
        <translation>The recording is not open.</translation>
    </message>
    <message>
        <source>扫描的时间早于前一次扫描。</source>
        <translation>The scan’s time lies before the previous scan’s.</translation>
    </message>
    <message>
        <source>扫描数据不完整或超出范围。</source>
        <translation>The scan data is incomplete or out of range.</translation>
    </message>
</context>
<context>
    <name>veltrix::ReportExport</name>
    <message>
        <source>导出报告</source>
        <translation>Export Report</translation>
    </message>
    <message>
        <source>PDF文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>“%1”已存在。
要替换它吗？</source>
        <translation>&quot;%1&quot; already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
</context>
<context>
    <name>veltrix::SENSOR_SETTING</name>
    <message>
        <source>值 %1</source>
        <translation>value %1</translation>
    </message>
</context>
<context>
    <name>veltrix::SERIAL_COMM</name>
    <message>
        <source>上传数据</source>
        <translation>Upload Data</translation>
    </message>
    <message>
        <source>下载数据</source>
        <translation>Download Data</translation>
    </message>
    <message>
        <source>区域%1 的 Out%2 有 %3 个点，一个输出区域最多只能写入 %4 个点。未向传感器写入任何数据。</source>
        <translation>Area %1 Out%2 has %3 points; an output field can carry at most %4. Nothing was written to the sensor.</translation>
    </message>
    <message>
        <source>区域%1 的 Out%2 有超出传输范围的点（坐标最大 %3 mm）。未向传感器写入任何数据。</source>
        <translation>Area %1 Out%2 has a point beyond what can be sent (coordinates up to %3 mm). Nothing was written to the sensor.</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>读写参数超时,请检查连接</source>
        <translation>Connect OverTimer, Check Connect</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>传感器重新启动完成</source>
        <translation>Sensor Reboot Complete</translation>
    </message>
    <message>
        <source>产品型号:  %1</source>
        <translation>Product Name:  %1</translation>
    </message>
    <message>
        <source>固件版本:  %1</source>
        <translation>Firmware:  %1</translation>
    </message>
    <message>
        <source>串行编号:  %1</source>
        <translation>SerialNumber:  %1</translation>
    </message>
    <message>
        <source>生产日期:  %1年%2月%3日</source>
        <translation>Production:  %1 - %2 - %3</translation>
    </message>
    <message>
        <source>产品信息</source>
        <translation>Product Message</translation>
    </message>
    <message>
        <source>参数</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>参数读取完成！</source>
        <translation>Parameters Read OK!</translation>
    </message>
    <message>
        <source>参数设置异常，请重启传感器恢复初始参数。</source>
        <translation>Parameters Setting Error.Please restart.</translation>
    </message>
    <message>
        <source>参数写入完成，请重启生效！</source>
        <translation>Parameters Write Complete.Please restart.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>No</translation>
    </message>
    <message>
        <source>是否重启传感器?</source>
        <translation>Do you restart?</translation>
    </message>
    <message>
        <source>参数设置异常</source>
        <translation>Parameters Setting Error</translation>
    </message>
    <message>
        <source>内存写入错误</source>
        <translation>FLASH Write Error</translation>
    </message>
    <message>
        <source>传感器现在可能只保存了部分设置，使用前必须重新写入全部设置。</source>
        <translation>The sensor may now hold a partial configuration and must be written again before use.</translation>
    </message>
    <message>
        <source>写入已取消。</source>
        <translation>The write was cancelled.</translation>
    </message>
    <message>
        <source>传感器拒绝写入区域%1（应答：%2），写入已停止。</source>
        <translation>The sensor refused area %1 (answer: %2); the write was stopped.</translation>
    </message>
    <message>
        <source>传感器参数（应答：%1）</source>
        <translation>the sensor parameters (answer: %1)</translation>
    </message>
    <message>
        <source>写入未全部完成，传感器没有接受：%1。</source>
        <translation>The write did not complete; the sensor did not accept %1.</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>智能选择数据（应答：%1）</source>
        <translation>the case data (answer: %1)</translation>
    </message>
    <message>
        <source>状态 %1</source>
        <translation>status %1</translation>
    </message>
    <message>
        <source>正在与传感器读写数据，请等当前的读写结束后再试。</source>
        <translation>A read or write with the sensor is still running; try again when it has finished.</translation>
    </message>
    <message>
        <source>读取已取消，区域和参数保持读取前的内容。</source>
        <translation>The read was cancelled; areas and parameters are as they were before it.</translation>
    </message>
    <message>
        <source>传感器中的设置与文档完全相同。</source>
        <translation>The sensor holds exactly the document.</translation>
    </message>
    <message>
        <source>配置校验和：%1</source>
        <translation>Configuration checksum: %1</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>Verify</translation>
    </message>
    <message>
        <source>校验已取消。</source>
        <translation>Verification cancelled.</translation>
    </message>
    <message>
        <source>校验数据</source>
        <translation>Verify Data</translation>
    </message>
    <message>
        <source>写入失败：从传感器读回的设置与写入的设置有 %1 处不同。</source>
        <translation>Write failed: what was read back from the sensor differs from what was written in %1 place(s).</translation>
    </message>
    <message>
        <source>参数写入完成，读回校验一致（配置校验和 %1），请重启生效！</source>
        <translation>Parameters written and read back identical (configuration checksum %1). Please restart.</translation>
    </message>
</context>
<context>
    <name>veltrix::ScanRecordings</name>
    <message>
        <source>扫描录制 (*.rec)</source>
        <translation>Scan recordings (*.rec)</translation>
    </message>
    <message>
        <source>录制扫描</source>
        <translation>Record Scans</translation>
    </message>
    <message>
        <source>打开录制</source>
        <translation>Open Recording</translation>
    </message>
    <message numerus="yes">
        <source>录制 %1 · %n 次扫描 · %2</source>
        <translation>
            <numerusform>Recording %1 · %n scan · %2</numerusform>
            <numerusform>Recording %1 · %n scans · %2</numerusform>
        </translation>
    </message>
    <message>
        <source>“%1”中没有扫描。</source>
        <translation>“%1” holds no scans.</translation>
    </message>
    <message>
        <source>回放录制时不能连接扫描仪。要断开连接并回放“%1”吗？</source>
        <translation>A scanner cannot stay connected while a recording plays. Disconnect and play “%1”?</translation>
    </message>
    <message>
        <source>正在进行的录制将结束。</source>
        <translation>The recording under way will end.</translation>
    </message>
    <message>
        <source>断开并回放</source>
        <translation>Disconnect and Play</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>对照录制检查</source>
        <translation>Check Against Recording</translation>
    </message>
    <message>
        <source>回放 %1</source>
        <translation>Replaying %1</translation>
    </message>
</context>
<context>
    <name>veltrix::StatusDisplay</name>
    <message>
        <source>正常(0)</source>
        <translation>Normal(0)</translation>
    </message>
    <message>
        <source>旋转异常(1)</source>
        <translation>Revolve Abnormal(1)</translation>
    </message>
    <message>
        <source>接收异常(2)</source>
        <translation>Receive Abnormal(2)</translation>
    </message>
    <message>
        <source>闪存数据异常(3)</source>
        <translation>Flash Abnormal(3)</translation>
    </message>
    <message>
        <source>连接异常(4)</source>
        <translation>Connect Abnormal(4)</translation>
    </message>
    <message>
        <source>仿真错误(5)</source>
        <translation>Simulate Abnormal(5)</translation>
    </message>
    <message>
        <source>过温异常(6)</source>
        <translation>Temperature Abnormal(6)</translation>
    </message>
    <message>
        <source>发射板电压异常(7)</source>
        <translation>Voltage Abnormal(7)</translation>
    </message>
    <message>
        <source>未知异常(0x%1)</source>
        <translation>Unknown fault (0x%1)</translation>
    </message>
    <message>
        <source>倒立安装</source>
        <translation>Reverse Set</translation>
    </message>
    <message>
        <source>正向安装</source>
        <translation>Forward Set</translation>
    </message>
    <message>
        <source>无应答</source>
        <translation>No answer</translation>
    </message>
</context>
<context>
    <name>veltrix::TeachControl</name>
    <message>
        <source>没有连接传感器，区域未改变。</source>
        <translation>No sensor is connected; the field was not changed.</translation>
    </message>
    <message>
        <source>传感器正在传输数据，请在传输结束后再自学习。区域未改变。</source>
        <translation>The sensor is transferring data; teach the field once the transfer has ended. The field was not changed.</translation>
    </message>
    <message>
        <source>自学习</source>
        <translation>Teach-in</translation>
    </message>
    <message>
        <source>正在记录区域%1 Out%2 的扫描轮廓…</source>
        <translation>Recording the scan outline for area %1 Out%2…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>与传感器的连接已断开，区域未改变。</source>
        <translation>The connection to the sensor was lost; the field was not changed.</translation>
    </message>
</context>
<context>
    <name>veltrix::TeachIn</name>
    <message>
        <source>没有收到扫描数据，区域未改变。</source>
        <translation>No scan data arrived; the field was not changed.</translation>
    </message>
    <message>
        <source>所选范围内没有测量点，区域未改变。</source>
        <translation>No measured point lies in the region; the field was not changed.</translation>
    </message>
    <message>
        <source>在 %1° 方向上，距离传感器不到偏移距离处有物体，区域无法绕开它。请移开物体或减小偏移距离，区域未改变。</source>
        <translation>At %1° something lies closer to the sensor than the offset, where the field cannot pass it. Move it away or use a smaller offset; the field was not changed.</translation>
    </message>
    <message>
        <source>在 %1° 方向上，所选范围的边缘离传感器不到 %2 mm，区域无法经过那里。请调整范围，区域未改变。</source>
        <translation>At %1° the edge of the region passes closer than %2 mm to the sensor, where the field cannot pass. Adjust the region; the field was not changed.</translation>
    </message>
</context>
<context>
    <name>veltrix::TransferProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
