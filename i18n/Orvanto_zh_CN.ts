<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DialogAboutPJ</name>
    <message>
        <source>Supported Projector Models</source>
        <translation>支持的投影机型号</translation>
    </message>
    <message>
        <source>Projector models with a command catalogue in this installation:</source>
        <translation>本安装中带有命令目录的投影机型号：</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>DialogConfig</name>
    <message>
        <source>Config</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Local IP Interface</source>
        <translation>本地IP接口</translation>
    </message>
    <message>
        <source>Max Targets to Search</source>
        <translation>最大搜索目标数</translation>
    </message>
    <message>
        <source>TCP Port</source>
        <translation>TCP端口</translation>
    </message>
    <message>
        <source>UDP Port RX</source>
        <translation>UDP接收端口</translation>
    </message>
    <message>
        <source>UDP Port TX</source>
        <translation>UDP发送端口</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>风格</translation>
    </message>
    <message>
        <source>Cmd Files</source>
        <translation>命令文件</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Status Poll Interval (minutes)</source>
        <translation>状态轮询间隔（分钟）</translation>
    </message>
    <message>
        <source>Log Location</source>
        <translation>日志位置</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>警告！</translation>
    </message>
    <message>
        <source>Settings could not be saved!</source>
        <translation>无法保存设置！</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Orvanto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation>分组</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Model </source>
        <translation>型号 </translation>
    </message>
    <message>
        <source>Serial Number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>MAC Address</source>
        <translation>MAC地址</translation>
    </message>
    <message>
        <source>Scheduler Off</source>
        <translation>定时器关闭</translation>
    </message>
    <message>
        <source>Switch the scheduler clock on or off</source>
        <translation>打开或关闭定时器时钟</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Insert a job before the selected one</source>
        <translation>在所选任务之前插入一个任务</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Delete the selected job</source>
        <translation>删除所选任务</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save the jobs as a CSV file</source>
        <translation>将任务保存为CSV文件</translation>
    </message>
    <message>
        <source>Double-click to choose the commands of a periodic task</source>
        <translation>双击选择周期任务的命令</translation>
    </message>
    <message>
        <source>Periodic Tasks</source>
        <translation>周期任务</translation>
    </message>
    <message>
        <source>Periods (min.)</source>
        <translation>周期（分钟）</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>运行中</translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script:</source>
        <translation>脚本：</translation>
    </message>
    <message>
        <source>JavaScript statement, e.g. Orvanto.play_ding()  (empty line: run the selected job)</source>
        <translation>JavaScript语句，例如 Orvanto.play_ding()（空行：运行所选任务）</translation>
    </message>
    <message>
        <source>Enter runs the statement; an empty line runs the selected job</source>
        <translation>回车运行该语句；空行运行所选任务</translation>
    </message>
    <message>
        <source>Error Code Dictionary:</source>
        <translation>错误代码字典：</translation>
    </message>
    <message>
        <source>0000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HHHH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Four hexadecimal digits as the projector reports them</source>
        <translation>投影机报告的四位十六进制数字</translation>
    </message>
    <message>
        <source>No Error</source>
        <translation>无错误</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>导出</translation>
    </message>
    <message>
        <source>Export the status table to the log folder</source>
        <translation>将状态表导出到日志文件夹</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source> Picture </source>
        <translation> 图像 </translation>
    </message>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制</translation>
    </message>
    <message>
        <source>Installation</source>
        <translation>安装</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>镜头</translation>
    </message>
    <message>
        <source>EdgeBlend</source>
        <translation>边缘融合</translation>
    </message>
    <message>
        <source>Geometry</source>
        <translation>几何校正</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>服务</translation>
    </message>
    <message>
        <source>Target:</source>
        <translation>目标：</translation>
    </message>
    <message>
        <source>Connectable IP</source>
        <translation>可连接的IP</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>7000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation>默认</translation>
    </message>
    <message>
        <source>Command categories of the target model</source>
        <translation>目标型号的命令类别</translation>
    </message>
    <message>
        <source>Alien</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to prepare a command, double-click to send it</source>
        <translation>单击准备命令，双击发送</translation>
    </message>
    <message>
        <source>Function:</source>
        <translation>功能：</translation>
    </message>
    <message>
        <source>(Function Name)</source>
        <translation>（功能名称）</translation>
    </message>
    <message>
        <source>Function name of the catalogue; Enter looks up its command</source>
        <translation>命令目录中的功能名称；回车查找其命令</translation>
    </message>
    <message>
        <source>Command:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>op model ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &lt;CR&gt; when sending</source>
        <translation>发送时添加 &lt;CR&gt;</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Send command to target</source>
        <translation>向目标发送命令</translation>
    </message>
    <message>
        <source>TCP Traffic Debug</source>
        <translation>TCP通信调试</translation>
    </message>
    <message>
        <source>Clear Console Log</source>
        <translation>清除控制台日志</translation>
    </message>
    <message>
        <source>Save Log As</source>
        <translation>日志另存为</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>视图(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;SetUp</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Main Toolbar</source>
        <translation>主工具栏</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>定时</translation>
    </message>
    <message>
        <source>Scheduler Edit</source>
        <translation>定时任务编辑</translation>
    </message>
    <message>
        <source>Edit and run the scheduled script jobs</source>
        <translation>编辑并运行定时脚本任务</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Status Management</source>
        <translation>状态管理</translation>
    </message>
    <message>
        <source>Watch the state of the selected projectors</source>
        <translation>监视所选投影机的状态</translation>
    </message>
    <message>
        <source>actionControlPanel</source>
        <translation>控制面板</translation>
    </message>
    <message>
        <source>Control Panels</source>
        <translation>控制面板</translation>
    </message>
    <message>
        <source>Settings of the target projector</source>
        <translation>目标投影机的设置</translation>
    </message>
    <message>
        <source>actionCmd</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Commander</source>
        <translation>命令控制台</translation>
    </message>
    <message>
        <source>Send raw op commands to the target projector</source>
        <translation>向目标投影机发送原始op命令</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Projector models known to this installation</source>
        <translation>本安装已知的投影机型号</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>About Orvanto</source>
        <translation>关于 Orvanto</translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Search the local network for projectors</source>
        <translation>在本地网络中搜索投影机</translation>
    </message>
    <message>
        <source>Save the groups and projectors</source>
        <translation>保存分组和投影机</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Config</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Settings (take effect at the next start)</source>
        <translation>设置（下次启动时生效）</translation>
    </message>
    <message>
        <source>00:00</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Time</source>
        <translation>当前时间</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>TurnOn All</source>
        <translation>全部开机</translation>
    </message>
    <message>
        <source>Switch on every connected projector</source>
        <translation>打开所有已连接的投影机</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>TurnOff All</source>
        <translation>全部关机</translation>
    </message>
    <message>
        <source>Switch off every connected projector</source>
        <translation>关闭所有已连接的投影机</translation>
    </message>
    <message>
        <source>RefreshStatus</source>
        <translation>刷新状态</translation>
    </message>
    <message>
        <source>Refresh All Status</source>
        <translation>刷新全部状态</translation>
    </message>
    <message>
        <source>Read the state of the projectors again</source>
        <translation>重新读取投影机的状态</translation>
    </message>
    <message>
        <source>Open Log Location</source>
        <translation>打开日志位置</translation>
    </message>
    <message>
        <source>Open the folder of the log files</source>
        <translation>打开日志文件所在的文件夹</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Close Orvanto</source>
        <translation>关闭 Orvanto</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Config Location</source>
        <translation>打开配置位置</translation>
    </message>
    <message>
        <source>Open the folder of the settings and tables</source>
        <translation>打开设置和表格所在的文件夹</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Log file save Error!</source>
        <translation>日志文件保存错误！</translation>
    </message>
    <message>
        <source>Save Log File As</source>
        <translation>日志文件另存为</translation>
    </message>
    <message>
        <source>Text(*.txt)</source>
        <translation>文本(*.txt)</translation>
    </message>
    <message>
        <source>Searching:%1%</source>
        <translation>搜索中:%1%</translation>
    </message>
    <message>
        <source>Configured LocalIP NOT Found! 
Apply change and try again!</source>
        <translation>未找到配置的本地IP！
请修改设置后重试！</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>启动</translation>
    </message>
    <message>
        <source>Selected</source>
        <translation>已选择</translation>
    </message>
    <message>
        <source>Status Polling Task</source>
        <translation>状态轮询任务</translation>
    </message>
</context>
<context>
    <name>QAbstractSocket</name>
    <message>
        <source>Socket operation timed out</source>
        <translation>套接字操作超时</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Warning!</source>
        <translation>警告！</translation>
    </message>
    <message>
        <source> is running!</source>
        <translation> 正在运行！</translation>
    </message>
</context>
<context>
    <name>TableModelStatus</name>
    <message>
        <source>IP Address</source>
        <translation>IP地址</translation>
    </message>
    <message>
        <source>ModelName</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>SerialNumber</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Err</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Lamp Hours</source>
        <translation>光源时间</translation>
    </message>
    <message>
        <source>LIFE</source>
        <translation>寿命</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>No Signal</source>
        <translation>无信号</translation>
    </message>
</context>
<context>
    <name>StatusMonitor</name>
    <message>
        <source>Status Exported!</source>
        <translation>状态已导出！</translation>
    </message>
</context>
<context>
    <name>PowerSwitchConfirmation</name>
    <message>
        <source>   Turn On All Projectors   </source>
        <translation>   打开所有投影机   </translation>
    </message>
    <message>
        <source>   Turn Off All Projectors   </source>
        <translation>   关闭所有投影机   </translation>
    </message>
    <message>
        <source>Do you want to switch on ALL projectors ?</source>
        <translation>确定要打开所有投影机吗？</translation>
    </message>
    <message>
        <source>Do you want to switch off ALL projectors ?</source>
        <translation>确定要关闭所有投影机吗？</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Name Search:</source>
        <translation>名称搜索：</translation>
    </message>
    <message>
        <source>Match not found!</source>
        <translation>未找到匹配项！</translation>
    </message>
    <message>
        <source>Checking Info.</source>
        <translation>正在检查信息 </translation>
    </message>
    <message>
        <source>Periodic Task Commands</source>
        <translation>周期任务命令</translation>
    </message>
</context>
<context>
    <name>DialogSelectCommands</name>
    <message>
        <source>Periodic Task Commands</source>
        <translation>周期任务命令</translation>
    </message>
    <message>
        <source>Command list</source>
        <translation>命令列表</translation>
    </message>
    <message>
        <source>Double-click to remove a command</source>
        <translation>双击移除命令</translation>
    </message>
    <message>
        <source>Available Commands</source>
        <translation>可用命令</translation>
    </message>
    <message>
        <source>Double-click to add a command</source>
        <translation>双击添加命令</translation>
    </message>
</context>
</TS>
