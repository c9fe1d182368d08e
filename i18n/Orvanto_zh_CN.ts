<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AlertCenter</name>
    <message>
        <source>Orvanto alert</source>
        <translation>Orvanto 警报</translation>
    </message>
    <message>
        <source>Set the mail server, the sender and at least one recipient first.</source>
        <translation>请先设置邮件服务器、发件人和至少一个收件人。</translation>
    </message>
    <message>
        <source>Orvanto: test message</source>
        <translation>Orvanto：测试邮件</translation>
    </message>
    <message>
        <source>This is a test message from Orvanto. Alerts will reach you at this address.</source>
        <translation>这是来自 Orvanto 的测试邮件。警报将发送到此地址。</translation>
    </message>
    <message>
        <source>The test message was accepted by the mail server.</source>
        <translation>邮件服务器已接受测试邮件。</translation>
    </message>
    <message>
        <source>The test message could not be sent: %1</source>
        <translation>无法发送测试邮件：%1</translation>
    </message>
    <message>
        <source>Alert mail &quot;%1&quot; not sent: %2 (trying again in %3 s)</source>
        <translation>警报邮件“%1”未发送：%2（%3 秒后重试）</translation>
    </message>
</context>
<context>
    <name>AlertMessage</name>
    <message>
        <source>error %1 cleared</source>
        <translation>错误 %1 已清除</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>错误 %1</translation>
    </message>
    <message>
        <source>error %1 (%2)</source>
        <translation>错误 %1（%2）</translation>
    </message>
    <message>
        <source>lamp below its alert level again</source>
        <translation>光源已回到警报阈值以下</translation>
    </message>
    <message>
        <source>lamp at %1 % of rated life</source>
        <translation>光源已达额定寿命的 %1 %</translation>
    </message>
    <message>
        <source>answering again</source>
        <translation>恢复应答</translation>
    </message>
    <message>
        <source>not answering for %1 minutes</source>
        <translation>已 %1 分钟无应答</translation>
    </message>
    <message>
        <source>scheduled job failed: %1</source>
        <translation>定时任务失败：%1</translation>
    </message>
    <message numerus="yes">
        <source>Orvanto: %n alerts</source>
        <translation>
            <numerusform>Orvanto：%n 条警报</numerusform>
        </translation>
    </message>
    <message>
        <source>  Address: %1</source>
        <translation>  地址：%1</translation>
    </message>
    <message>
        <source>  Model: %1</source>
        <translation>  型号：%1</translation>
    </message>
    <message>
        <source>  Cleared at: %1</source>
        <translation>  清除时间：%1</translation>
    </message>
    <message>
        <source>  Since: %1</source>
        <translation>  起始时间：%1</translation>
    </message>
    <message>
        <source>  Error: %1</source>
        <translation>  错误：%1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Manages a fleet of network projectors.</source>
        <translation>管理网络投影机群。</translation>
    </message>
    <message>
        <source>Settings file to use instead of Orvanto.ini in the configuration folder.</source>
        <translation>用于代替配置文件夹中 Orvanto.ini 的设置文件。</translation>
    </message>
    <message>
        <source>Too many arguments: %1</source>
        <translation>参数过多：%1</translation>
    </message>
    <message>
        <source>Settings file not found: %1
</source>
        <translation>未找到设置文件：%1
</translation>
    </message>
    <message>
        <source>Cannot read the settings file %1
</source>
        <translation>无法读取设置文件 %1
</translation>
    </message>
    <message>
        <source>Not a settings file: %1
</source>
        <translation>不是设置文件：%1
</translation>
    </message>
</context>
<context>
    <name>ControlPanel</name>
    <message>
        <source>Update Info.</source>
        <translation>更新信息：</translation>
    </message>
    <message>
        <source>Please input a valid passcode to access control</source>
        <translation>请输入有效的密码以访问控制</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Passed!</source>
        <translation>已通过！</translation>
    </message>
    <message>
        <source>No Pass!</source>
        <translation>未通过！</translation>
    </message>
    <message>
        <source>Error:</source>
        <translation>错误：</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>自定义</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>Save Settings As</source>
        <translation>设置另存为</translation>
    </message>
    <message>
        <source>Text(*.txt)</source>
        <translation>文本(*.txt)</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Setting file save Error!</source>
        <translation>设置文件保存错误！</translation>
    </message>
    <message>
        <source>Open Settings file</source>
        <translation>打开设置文件</translation>
    </message>
    <message>
        <source>Setting file: skipped %1</source>
        <translation>设置文件：已跳过 %1</translation>
    </message>
    <message>
        <source>Setting Not Found!</source>
        <translation>未找到设置！</translation>
    </message>
    <message>
        <source>Import Successed!</source>
        <translation>导入成功！</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>警告！</translation>
    </message>
    <message>
        <source>Some settings were not imported:</source>
        <translation>部分设置未导入：</translation>
    </message>
    <message>
        <source>Sending is disabled: nothing was imported.</source>
        <translation>已禁止发送：未导入任何设置。</translation>
    </message>
    <message>
        <source>Setting file: %1 = %2 is out of range, not sent</source>
        <translation>设置文件：%1 = %2 超出范围，未发送</translation>
    </message>
</context>
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
    <name>DialogAlerts</name>
    <message>
        <source>Alerts and History</source>
        <translation>警报与历史记录</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Keep a history of every status sweep</source>
        <translation>记录每次状态轮询的历史</translation>
    </message>
    <message>
        <source>Keep for (days)</source>
        <translation>保留时长（天）</translation>
    </message>
    <message>
        <source>Alert when</source>
        <translation>警报条件</translation>
    </message>
    <message>
        <source>a projector reports an error</source>
        <translation>投影机报告错误</translation>
    </message>
    <message>
        <source>Only error categories</source>
        <translation>仅限错误类别</translation>
    </message>
    <message>
        <source>all (or e.g. 12, 04)</source>
        <translation>全部（或如 12, 04）</translation>
    </message>
    <message>
        <source>Lamp reaches (% of rated life)</source>
        <translation>光源达到（额定寿命的 %）</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Not answering for (minutes)</source>
        <translation>无应答时长（分钟）</translation>
    </message>
    <message>
        <source>At most messages per hour</source>
        <translation>每小时最多邮件数</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>电子邮件</translation>
    </message>
    <message>
        <source>SMTP server</source>
        <translation>SMTP 服务器</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>安全</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>登录名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>发件人</translation>
    </message>
    <message>
        <source>Recipients</source>
        <translation>收件人</translation>
    </message>
    <message>
        <source>a@example.org, b@example.org</source>
        <translation>a@example.org, b@example.org</translation>
    </message>
    <message>
        <source>Send test message</source>
        <translation>发送测试邮件</translation>
    </message>
    <message>
        <source>Changes take effect at the next start.</source>
        <translation>更改将在下次启动时生效。</translation>
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
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>STARTTLS</source>
        <translation>STARTTLS</translation>
    </message>
    <message>
        <source>TLS</source>
        <translation>TLS</translation>
    </message>
    <message>
        <source>Warning!</source>
        <translation>警告！</translation>
    </message>
    <message>
        <source>Settings could not be saved!</source>
        <translation>无法保存设置！</translation>
    </message>
    <message>
        <source>Sending…</source>
        <translation>正在发送…</translation>
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
    <message>
        <source>Changes take effect at the next start.</source>
        <translation>更改将在下次启动时生效。</translation>
    </message>
    <message>
        <source>Choices</source>
        <translation>可选项</translation>
    </message>
    <message>
        <source>PJLink Password</source>
        <translation>PJLink 密码</translation>
    </message>
    <message>
        <source>Script Time Limit (minutes)</source>
        <translation>脚本时间限制（分钟）</translation>
    </message>
    <message>
        <source>Alerts and History…</source>
        <translation>警报与历史记录…</translation>
    </message>
</context>
<context>
    <name>DialogFleetHistory</name>
    <message>
        <source>Fleet History</source>
        <translation>投影机群历史</translation>
    </message>
    <message>
        <source>Lamps due within 30 days</source>
        <translation>30 天内需更换的光源</translation>
    </message>
    <message>
        <source>Most errors (30 days)</source>
        <translation>错误最多（30 天）</translation>
    </message>
    <message>
        <source>Unreachable longest</source>
        <translation>无法连接最久</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>导出 CSV…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>History is off: %1</source>
        <translation>历史记录已关闭：%1</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>正在加载…</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Lamp hours</source>
        <translation>光源时间</translation>
    </message>
    <message>
        <source>Rated life</source>
        <translation>额定寿命</translation>
    </message>
    <message>
        <source>Days left</source>
        <translation>剩余天数</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>never answered</source>
        <translation>从未应答</translation>
    </message>
    <message>
        <source>Not answering since</source>
        <translation>无应答起始时间</translation>
    </message>
    <message>
        <source>Updated %1</source>
        <translation>更新于 %1</translation>
    </message>
    <message>
        <source>Export fleet history</source>
        <translation>导出投影机群历史</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>无法写入文件：%1</translation>
    </message>
</context>
<context>
    <name>DialogHistory</name>
    <message>
        <source>History</source>
        <translation>历史记录</translation>
    </message>
    <message>
        <source>Filter events</source>
        <translation>筛选事件</translation>
    </message>
    <message>
        <source>Lamp hours</source>
        <translation>光源时间</translation>
    </message>
    <message>
        <source>Hours on per day</source>
        <translation>每日开机时长</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>导出 CSV…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>History of %1</source>
        <translation>%1 的历史记录</translation>
    </message>
    <message>
        <source>All events</source>
        <translation>全部事件</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>Lost and back</source>
        <translation>断开与恢复</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Detail</source>
        <translation>详情</translation>
    </message>
    <message>
        <source>History is off: %1</source>
        <translation>历史记录已关闭：%1</translation>
    </message>
    <message>
        <source>Loading…</source>
        <translation>正在加载…</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error cleared</source>
        <translation>错误已清除</translation>
    </message>
    <message>
        <source>Not answering</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>Answering again</source>
        <translation>恢复应答</translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n 个事件</numerusform>
        </translation>
    </message>
    <message>
        <source>Hours on</source>
        <translation>开机时长</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>导出历史记录</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>无法写入文件：%1</translation>
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
<context>
    <name>DialogUserGuide</name>
    <message>
        <source>User Guide</source>
        <translation>用户指南</translation>
    </message>
    <message>
        <source>The user guide is missing from this installation.</source>
        <translation>本安装中缺少用户指南。</translation>
    </message>
    <message>
        <source>Find in the guide</source>
        <translation>在指南中查找</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>未找到</translation>
    </message>
</context>
<context>
    <name>ErrorCodeDictionary</name>
    <message>
        <source>Init Fail</source>
        <translation>初始化失败</translation>
    </message>
    <message>
        <source>Fan Locked(Rotate Error)</source>
        <translation>风扇卡死（转动错误）</translation>
    </message>
    <message>
        <source>Fan Speed Error (too high or too low)</source>
        <translation>风扇转速错误（过高或过低）</translation>
    </message>
    <message>
        <source>Communication Fail</source>
        <translation>通信失败</translation>
    </message>
    <message>
        <source>NoError</source>
        <translation>无错误</translation>
    </message>
    <message>
        <source>Formatter/DMD</source>
        <translation>格式化器/DMD</translation>
    </message>
    <message>
        <source>R__</source>
        <translation>R__</translation>
    </message>
    <message>
        <source>_G_</source>
        <translation>_G_</translation>
    </message>
    <message>
        <source>RG_</source>
        <translation>RG_</translation>
    </message>
    <message>
        <source>__B</source>
        <translation>__B</translation>
    </message>
    <message>
        <source>R_B</source>
        <translation>R_B</translation>
    </message>
    <message>
        <source>_GB</source>
        <translation>_GB</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>DAD Fail</source>
        <translation>DAD 失败</translation>
    </message>
    <message>
        <source>PMD Fail</source>
        <translation>PMD 失败</translation>
    </message>
    <message>
        <source>Sequence Fail</source>
        <translation>时序失败</translation>
    </message>
    <message>
        <source>Laser</source>
        <translation>激光</translation>
    </message>
    <message>
        <source>Over Life</source>
        <translation>超过寿命</translation>
    </message>
    <message>
        <source>Lit Fail</source>
        <translation>点亮失败</translation>
    </message>
    <message>
        <source>Voltage (54V)</source>
        <translation>电压（54V）</translation>
    </message>
    <message>
        <source>Color Sensor Fail</source>
        <translation>颜色传感器失败</translation>
    </message>
    <message>
        <source>COlor Sensor Not Connect</source>
        <translation>颜色传感器未连接</translation>
    </message>
    <message>
        <source>System FAN (1~16)</source>
        <translation>系统风扇（1~16）</translation>
    </message>
    <message>
        <source>Blower(17~32)</source>
        <translation>鼓风机（17~32）</translation>
    </message>
    <message>
        <source>Color Wheel</source>
        <translation>色轮</translation>
    </message>
    <message>
        <source>Phospher wheel</source>
        <translation>荧光轮</translation>
    </message>
    <message>
        <source>Spin Error</source>
        <translation>旋转错误</translation>
    </message>
    <message>
        <source>Read Fail</source>
        <translation>读取失败</translation>
    </message>
    <message>
        <source>Env Check Fail</source>
        <translation>环境检查失败</translation>
    </message>
    <message>
        <source>Thermal Sensor</source>
        <translation>温度传感器</translation>
    </message>
    <message>
        <source>Inlet Thermal Sensor</source>
        <translation>进风口温度传感器</translation>
    </message>
    <message>
        <source>DMD Thermal Sensor</source>
        <translation>DMD 温度传感器</translation>
    </message>
    <message>
        <source>Inlet2 Thermal Sensor</source>
        <translation>进风口2温度传感器</translation>
    </message>
    <message>
        <source>Init Error(or no detected)</source>
        <translation>初始化错误（或未检测到）</translation>
    </message>
    <message>
        <source>Over Temperature</source>
        <translation>温度过高</translation>
    </message>
    <message>
        <source>Not Connect</source>
        <translation>未连接</translation>
    </message>
    <message>
        <source>Low Temperature</source>
        <translation>温度过低</translation>
    </message>
    <message>
        <source>Inter Lock</source>
        <translation>联锁</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>镜头</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>外壳</translation>
    </message>
    <message>
        <source>Door Open</source>
        <translation>门已打开</translation>
    </message>
    <message>
        <source>Thermal Break</source>
        <translation>过热保护</translation>
    </message>
    <message>
        <source>Thermal Stat1</source>
        <translation>温控开关1</translation>
    </message>
    <message>
        <source>Thermal Stat2</source>
        <translation>温控开关2</translation>
    </message>
    <message>
        <source>Thermal Stat3</source>
        <translation>温控开关3</translation>
    </message>
    <message>
        <source>Thermal Stat4</source>
        <translation>温控开关4</translation>
    </message>
    <message>
        <source>Thermal break be triggered</source>
        <translation>过热保护已触发</translation>
    </message>
    <message>
        <source>EEPROM</source>
        <translation>EEPROM</translation>
    </message>
    <message>
        <source>System EEPROM</source>
        <translation>系统 EEPROM</translation>
    </message>
    <message>
        <source>Read/Write Fail</source>
        <translation>读写失败</translation>
    </message>
    <message>
        <source>Checksum Error</source>
        <translation>校验和错误</translation>
    </message>
    <message>
        <source>MCU</source>
        <translation>MCU</translation>
    </message>
    <message>
        <source>Host MCU I2C</source>
        <translation>主 MCU I2C</translation>
    </message>
    <message>
        <source>Host MCU SPI</source>
        <translation>主 MCU SPI</translation>
    </message>
    <message>
        <source>Port 0 Fail</source>
        <translation>端口 0 失败</translation>
    </message>
    <message>
        <source>Port 1 Fail</source>
        <translation>端口 1 失败</translation>
    </message>
    <message>
        <source>Port 2 Fail</source>
        <translation>端口 2 失败</translation>
    </message>
    <message>
        <source>Port 3 Fail</source>
        <translation>端口 3 失败</translation>
    </message>
    <message>
        <source>Scaler</source>
        <translation>缩放器</translation>
    </message>
    <message>
        <source>Load OSD Fail</source>
        <translation>加载 OSD 失败</translation>
    </message>
    <message>
        <source>Digital Receiver</source>
        <translation>数字接收器</translation>
    </message>
    <message>
        <source>ADC Decoder</source>
        <translation>ADC 解码器</translation>
    </message>
    <message>
        <source>TMDS Transmitter</source>
        <translation>TMDS 发送器</translation>
    </message>
    <message>
        <source>Expand GPIO</source>
        <translation>扩展 GPIO</translation>
    </message>
    <message>
        <source>Warping Chip</source>
        <translation>几何校正芯片</translation>
    </message>
    <message>
        <source>FAN Driver</source>
        <translation>风扇驱动</translation>
    </message>
    <message>
        <source>Motor Board</source>
        <translation>电机板</translation>
    </message>
    <message>
        <source>System View</source>
        <translation>系统视图</translation>
    </message>
    <message>
        <source>RJ45 Board</source>
        <translation>RJ45 板</translation>
    </message>
    <message>
        <source>Pressure Sensor</source>
        <translation>压力传感器</translation>
    </message>
    <message>
        <source>G Sensor</source>
        <translation>重力传感器</translation>
    </message>
    <message>
        <source>Laser Bank</source>
        <translation>激光组</translation>
    </message>
    <message>
        <source>Laser Diode</source>
        <translation>激光二极管</translation>
    </message>
    <message>
        <source>Pump</source>
        <translation>泵</translation>
    </message>
    <message>
        <source>Water Pump</source>
        <translation>水泵</translation>
    </message>
    <message>
        <source>Speed too low</source>
        <translation>转速过低</translation>
    </message>
    <message>
        <source>Speed to high</source>
        <translation>转速过高</translation>
    </message>
    <message>
        <source>LCU (Standby MCU)</source>
        <translation>LCU（待机 MCU）</translation>
    </message>
    <message>
        <source>I2C Fail</source>
        <translation>I2C 失败</translation>
    </message>
</context>
<context>
    <name>FleetSummary</name>
    <message>
        <source>%1 on</source>
        <translation>%1 台开机</translation>
    </message>
    <message>
        <source>%1 standby</source>
        <translation>%1 台待机</translation>
    </message>
    <message>
        <source>%1 warming up</source>
        <translation>%1 台预热中</translation>
    </message>
    <message>
        <source>%1 cooling down</source>
        <translation>%1 台冷却中</translation>
    </message>
    <message>
        <source>%1 error</source>
        <translation>%1 台故障</translation>
    </message>
    <message>
        <source>%1 no answer</source>
        <translation>%1 台无应答</translation>
    </message>
    <message>
        <source>%1 projectors: %2</source>
        <translation>%1 台投影机：%2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>1 projector: %1</source>
        <translation>1 台投影机：%1</translation>
    </message>
</context>
<context>
    <name>GroupIpFile</name>
    <message>
        <source>a comma would cut it when the file is read</source>
        <translation>读取文件时逗号会将其截断</translation>
    </message>
    <message>
        <source>line breaks and control characters cannot be stored</source>
        <translation>无法保存换行符和控制字符</translation>
    </message>
    <message>
        <source>a group needs a name</source>
        <translation>分组必须有名称</translation>
    </message>
    <message>
        <source>blanks at the start of a group name are lost when the file is read</source>
        <translation>读取文件时分组名称开头的空格会丢失</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the temporary group, which is never saved</source>
        <translation>“%1”是临时分组，不会被保存</translation>
    </message>
    <message>
        <source>blanks at the end of a projector name are lost when the file is read</source>
        <translation>读取文件时投影机名称末尾的空格会丢失</translation>
    </message>
</context>
<context>
    <name>GroupTree</name>
    <message>
        <source>&amp;Add Group</source>
        <translation>添加分组(&amp;A)</translation>
    </message>
    <message>
        <source>Add New Group</source>
        <translation>添加新分组</translation>
    </message>
    <message>
        <source>&amp;Delete Group</source>
        <translation>删除分组(&amp;D)</translation>
    </message>
    <message>
        <source>Delete Group from list</source>
        <translation>从列表中删除分组</translation>
    </message>
    <message>
        <source>&amp;Add IP</source>
        <translation>添加IP(&amp;A)</translation>
    </message>
    <message>
        <source>Add New IP</source>
        <translation>添加新IP</translation>
    </message>
    <message>
        <source>&amp;Delete IP</source>
        <translation>删除IP(&amp;D)</translation>
    </message>
    <message>
        <source>Delete IP from list</source>
        <translation>从列表中删除IP</translation>
    </message>
    <message>
        <source>(temporary)</source>
        <translation>(临时)</translation>
    </message>
    <message>
        <source>Will NOT save in this group!</source>
        <translation>此分组不会被保存！</translation>
    </message>
    <message>
        <source>GroupNew</source>
        <translation>新分组</translation>
    </message>
    <message>
        <source>New IP</source>
        <translation>新IP</translation>
    </message>
    <message>
        <source>Not changed: %1.</source>
        <translation>未更改：%1。</translation>
    </message>
</context>
<context>
    <name>HistoryService</name>
    <message>
        <source>history is turned off in Config</source>
        <translation>已在配置中关闭历史记录</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Orvanto</source>
        <translation>Orvanto</translation>
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
        <translation>1</translation>
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
        <translation>0000</translation>
    </message>
    <message>
        <source>HHHH</source>
        <translation>HHHH</translation>
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
        <translation>维护</translation>
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
        <translation>7000</translation>
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
        <translation>Alien</translation>
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
        <translation>op model ?</translation>
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
        <source>Control Panels</source>
        <translation>控制面板</translation>
    </message>
    <message>
        <source>Settings of the target projector</source>
        <translation>目标投影机的设置</translation>
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
        <translation>F1</translation>
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
        <translation>Ctrl+S</translation>
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
        <translation>00:00</translation>
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
        <translation>Ctrl+Q</translation>
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
        <translation>搜索中：%1%</translation>
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
    <message>
        <source>Control Panel</source>
        <translation>控制面板</translation>
    </message>
    <message>
        <source>No projector to ask: none answered yet</source>
        <translation>没有可询问的投影机：尚无投影机应答</translation>
    </message>
    <message>
        <source>No function %1 in the catalogue of %2 (%3)</source>
        <translation>%2（%3）的命令目录中没有功能 %1</translation>
    </message>
    <message>
        <source>unknown model</source>
        <translation>未知型号</translation>
    </message>
    <message>
        <source>Nothing sent: the command field is empty</source>
        <translation>未发送：命令栏为空</translation>
    </message>
    <message>
        <source>Port of every command (TcpPort, set in Config)</source>
        <translation>所有命令使用的端口（TcpPort，在设置中修改）</translation>
    </message>
    <message>
        <source>No local network found: discovery stays on %1</source>
        <translation>未找到本地网络：搜索仍使用 %1</translation>
    </message>
    <message>
        <source>Searching targets       </source>
        <translation>正在搜索目标       </translation>
    </message>
    <message>
        <source>Found target: </source>
        <translation>找到目标：</translation>
    </message>
    <message>
        <source>Save GroupIP As</source>
        <translation>GroupIP 另存为</translation>
    </message>
    <message>
        <source>CSV(*.csv)</source>
        <translation>CSV(*.csv)</translation>
    </message>
    <message>
        <source>Scheduler save Error!</source>
        <translation>定时任务保存错误！</translation>
    </message>
    <message>
        <source>Error: CronJobs.csv file not found!</source>
        <translation>错误：未找到 CronJobs.csv 文件！</translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2.</source>
        <translation>无法写入文件 %1：
%2。</translation>
    </message>
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
        <translation>正在检查信息：</translation>
    </message>
    <message>
        <source>Periodic Task Commands</source>
        <translation>周期任务命令</translation>
    </message>
    <message>
        <source>Scheduler On!</source>
        <translation>定时器开启！</translation>
    </message>
    <message>
        <source>Save Scheduler As</source>
        <translation>定时任务另存为</translation>
    </message>
    <message>
        <source>No target</source>
        <translation>无目标</translation>
    </message>
    <message>
        <source>The projector every control on this page acts on</source>
        <translation>本页所有控件作用的投影机</translation>
    </message>
    <message>
        <source>Name, address and model of the projector the console sends to</source>
        <translation>控制台发送命令的投影机的名称、地址和型号</translation>
    </message>
    <message>
        <source>User Guide</source>
        <translation>用户指南</translation>
    </message>
    <message>
        <source>How to work with Orvanto, searchable</source>
        <translation>Orvanto 使用说明（可搜索）</translation>
    </message>
    <message>
        <source>Projectors of the status table by state</source>
        <translation>状态表中各状态的投影机数量</translation>
    </message>
    <message>
        <source>time until the next run</source>
        <translation>距下次运行的时间</translation>
    </message>
    <message>
        <source>the script stopped with an error</source>
        <translation>脚本因错误而停止</translation>
    </message>
    <message>
        <source>History is off: %1</source>
        <translation>历史记录已关闭：%1</translation>
    </message>
    <message>
        <source>Fleet History…</source>
        <translation>投影机群历史…</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>历史记录…</translation>
    </message>
    <message>
        <source>Stop script</source>
        <translation>停止脚本</translation>
    </message>
    <message>
        <source>Stop the running script</source>
        <translation>停止正在运行的脚本</translation>
    </message>
</context>
<context>
    <name>MyUdpRX</name>
    <message>
        <source>UDP:%1</source>
        <translation>UDP:%1</translation>
    </message>
</context>
<context>
    <name>PJLinkErrorStatus</name>
    <message>
        <source>Fan</source>
        <translation>风扇</translation>
    </message>
    <message>
        <source>Lamp</source>
        <translation>光源</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>外壳</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>滤网</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>%1 warning</source>
        <translation>%1 警告</translation>
    </message>
    <message>
        <source>%1 error</source>
        <translation>%1 错误</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>正常</translation>
    </message>
</context>
<context>
    <name>PJLinkInfoPanel</name>
    <message>
        <source>This projector speaks PJLink and does not offer the settings of this page.</source>
        <translation>此投影机使用 PJLink，不提供本页的设置。</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>AV mute</source>
        <translation>AV 静音</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>取消静音</translation>
    </message>
    <message>
        <source>Freeze</source>
        <translation>冻结</translation>
    </message>
    <message>
        <source>Release</source>
        <translation>解冻</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>减小</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>增大</translation>
    </message>
    <message>
        <source>Lamp hours</source>
        <translation>光源时间</translation>
    </message>
    <message>
        <source>Filter hours</source>
        <translation>滤网时间</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>刷新</translation>
    </message>
</context>
<context>
    <name>PJLinkLamps</name>
    <message>
        <source>Lamp %1: %2 h, %3</source>
        <translation>光源 %1：%2 小时，%3</translation>
    </message>
    <message>
        <source>on</source>
        <translation>开</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
</context>
<context>
    <name>PJLinkPanelState</name>
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>Warming up</source>
        <translation>预热中</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开机</translation>
    </message>
    <message>
        <source>Cooling down</source>
        <translation>冷却中</translation>
    </message>
    <message>
        <source>Picture and sound muted</source>
        <translation>图像和声音已静音</translation>
    </message>
    <message>
        <source>Picture muted</source>
        <translation>图像已静音</translation>
    </message>
    <message>
        <source>Sound muted</source>
        <translation>声音已静音</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Frozen</source>
        <translation>已冻结</translation>
    </message>
    <message>
        <source>%1 h</source>
        <translation>%1 小时</translation>
    </message>
</context>
<context>
    <name>PJLinkReply</name>
    <message>
        <source>Undefined command</source>
        <translation>未定义的命令</translation>
    </message>
    <message>
        <source>Out of parameter</source>
        <translation>参数超出范围</translation>
    </message>
    <message>
        <source>Unavailable time (warming up or cooling down)</source>
        <translation>暂不可用（预热中或冷却中）</translation>
    </message>
    <message>
        <source>Projector failure</source>
        <translation>投影机故障</translation>
    </message>
</context>
<context>
    <name>PJLinkSession</name>
    <message>
        <source>Authentication failed</source>
        <translation>认证失败</translation>
    </message>
</context>
<context>
    <name>PJLinkStatusCells</name>
    <message>
        <source>No Answer</source>
        <translation>无应答</translation>
    </message>
</context>
<context>
    <name>Panel3D</name>
    <message>
        <source>3D</source>
        <translation>3D</translation>
    </message>
    <message>
        <source>3D format</source>
        <translation>3D 格式</translation>
    </message>
    <message>
        <source>Eye swap</source>
        <translation>左右眼互换</translation>
    </message>
    <message>
        <source>DLP Link</source>
        <translation>DLP Link</translation>
    </message>
    <message>
        <source>Dark time</source>
        <translation>暗场时间</translation>
    </message>
    <message>
        <source>Sync reference</source>
        <translation>同步参考</translation>
    </message>
    <message>
        <source>Sync delay</source>
        <translation>同步延迟</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
</context>
<context>
    <name>PanelControl</name>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Auto power off</source>
        <translation>自动关机</translation>
    </message>
    <message>
        <source>Auto power on</source>
        <translation>自动开机</translation>
    </message>
    <message>
        <source>No-signal background</source>
        <translation>无信号背景</translation>
    </message>
    <message>
        <source>Start-up logo</source>
        <translation>开机画面</translation>
    </message>
    <message>
        <source>Screen format</source>
        <translation>屏幕格式</translation>
    </message>
    <message>
        <source>Trigger</source>
        <translation>触发</translation>
    </message>
    <message>
        <source>Remote sensor</source>
        <translation>遥控接收器</translation>
    </message>
    <message>
        <source>Locks</source>
        <translation>锁定</translation>
    </message>
    <message>
        <source>Keypad lock</source>
        <translation>按键锁定</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开</translation>
    </message>
    <message>
        <source>Security lock</source>
        <translation>安全锁</translation>
    </message>
    <message>
        <source>On-screen menu</source>
        <translation>屏幕菜单</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>透明度</translation>
    </message>
    <message>
        <source>Time-out</source>
        <translation>超时</translation>
    </message>
    <message>
        <source>Message box</source>
        <translation>消息框</translation>
    </message>
    <message>
        <source>Menu position</source>
        <translation>菜单位置</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>居中</translation>
    </message>
</context>
<context>
    <name>PanelEdgeBlend</name>
    <message>
        <source>Edge blend</source>
        <translation>边缘融合</translation>
    </message>
    <message>
        <source>Alignment pattern</source>
        <translation>对齐图案</translation>
    </message>
    <message>
        <source>Reset edge blend</source>
        <translation>复位边缘融合</translation>
    </message>
    <message>
        <source>White level</source>
        <translation>白电平</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Black level</source>
        <translation>黑电平</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>Light and colour</source>
        <translation>光源与色彩</translation>
    </message>
    <message>
        <source>Light power</source>
        <translation>光源功率</translation>
    </message>
    <message>
        <source>Custom level</source>
        <translation>自定义功率</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>Colour temperature</source>
        <translation>色温</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Colour management</source>
        <translation>色彩管理</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色调</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>品红</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>White R / G / B</source>
        <translation>白 红 / 绿 / 蓝</translation>
    </message>
    <message>
        <source>Reset colour management</source>
        <translation>复位色彩管理</translation>
    </message>
    <message>
        <source>Setting file</source>
        <translation>设置文件</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>导入...</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
</context>
<context>
    <name>PanelGeometry</name>
    <message>
        <source>Keystone, rotation and pin-cushion</source>
        <translation>梯形、旋转与枕形</translation>
    </message>
    <message>
        <source>Keystone H</source>
        <translation>梯形 水平</translation>
    </message>
    <message>
        <source>One step down</source>
        <translation>减一步</translation>
    </message>
    <message>
        <source>One step up</source>
        <translation>加一步</translation>
    </message>
    <message>
        <source>Keystone V</source>
        <translation>梯形 垂直</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>Pin-cushion H</source>
        <translation>枕形 水平</translation>
    </message>
    <message>
        <source>Pin-cushion V</source>
        <translation>枕形 垂直</translation>
    </message>
    <message>
        <source>Reset keystone</source>
        <translation>复位梯形</translation>
    </message>
    <message>
        <source>Reset rotation</source>
        <translation>复位旋转</translation>
    </message>
    <message>
        <source>Reset pin-cushion</source>
        <translation>复位枕形</translation>
    </message>
    <message>
        <source>Blanking</source>
        <translation>遮幅</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Warping</source>
        <translation>变形</translation>
    </message>
    <message>
        <source>Active warp</source>
        <translation>当前变形</translation>
    </message>
    <message>
        <source>Setting file</source>
        <translation>设置文件</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>导入...</translation>
    </message>
    <message>
        <source>Four corners</source>
        <translation>四角校正</translation>
    </message>
    <message>
        <source>Top left H</source>
        <translation>左上 水平</translation>
    </message>
    <message>
        <source>Top left V</source>
        <translation>左上 垂直</translation>
    </message>
    <message>
        <source>Top right H</source>
        <translation>右上 水平</translation>
    </message>
    <message>
        <source>Top right V</source>
        <translation>右上 垂直</translation>
    </message>
    <message>
        <source>Bottom left H</source>
        <translation>左下 水平</translation>
    </message>
    <message>
        <source>Bottom left V</source>
        <translation>左下 垂直</translation>
    </message>
    <message>
        <source>Bottom right H</source>
        <translation>右下 水平</translation>
    </message>
    <message>
        <source>Bottom right V</source>
        <translation>右下 垂直</translation>
    </message>
    <message>
        <source>Reset top left</source>
        <translation>复位左上</translation>
    </message>
    <message>
        <source>Reset top right</source>
        <translation>复位右上</translation>
    </message>
    <message>
        <source>Reset bottom left</source>
        <translation>复位左下</translation>
    </message>
    <message>
        <source>Reset bottom right</source>
        <translation>复位右下</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
</context>
<context>
    <name>PanelInfo</name>
    <message>
        <source>Power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>Power On</source>
        <translation>开机</translation>
    </message>
    <message>
        <source>Power Off</source>
        <translation>关机</translation>
    </message>
    <message>
        <source>Projector</source>
        <translation>投影机</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Software version</source>
        <translation>软件版本</translation>
    </message>
    <message>
        <source>Motor software</source>
        <translation>马达软件</translation>
    </message>
    <message>
        <source>F336 software</source>
        <translation>F336 软件</translation>
    </message>
    <message>
        <source>Light source hours</source>
        <translation>光源使用时间</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Aspect ratio</source>
        <translation>宽高比</translation>
    </message>
    <message>
        <source>Auto source</source>
        <translation>自动信号源</translation>
    </message>
    <message>
        <source>Blank screen</source>
        <translation>黑屏</translation>
    </message>
    <message>
        <source>Active source</source>
        <translation>当前信号源</translation>
    </message>
    <message>
        <source>Refresh rate H / V</source>
        <translation>刷新率 水平 / 垂直</translation>
    </message>
    <message>
        <source>Vertical refresh</source>
        <translation>垂直刷新率</translation>
    </message>
    <message>
        <source>Pixel clock</source>
        <translation>像素时钟</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>输入</translation>
    </message>
    <message>
        <source>HDMI 1</source>
        <translation>HDMI 1</translation>
    </message>
    <message>
        <source>HDMI 2</source>
        <translation>HDMI 2</translation>
    </message>
    <message>
        <source>VGA</source>
        <translation>VGA</translation>
    </message>
    <message>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <source>DVI</source>
        <translation>DVI</translation>
    </message>
    <message>
        <source>SDI</source>
        <translation>SDI</translation>
    </message>
    <message>
        <source>HDBaseT</source>
        <translation>HDBaseT</translation>
    </message>
</context>
<context>
    <name>PanelInput</name>
    <message>
        <source>Input select</source>
        <translation>输入选择</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>信号源</translation>
    </message>
    <message>
        <source>Active source</source>
        <translation>当前信号源</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>信号</translation>
    </message>
    <message>
        <source>Aspect ratio</source>
        <translation>宽高比</translation>
    </message>
    <message>
        <source>Auto source</source>
        <translation>自动信号源</translation>
    </message>
    <message>
        <source>Colour space</source>
        <translation>色彩空间</translation>
    </message>
    <message>
        <source>Picture in picture</source>
        <translation>画中画</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Second input</source>
        <translation>第二输入</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>Side by side (PBP)</source>
        <translation>并排 (PBP)</translation>
    </message>
    <message>
        <source>HDMI 1</source>
        <translation>HDMI 1</translation>
    </message>
    <message>
        <source>HDMI 2</source>
        <translation>HDMI 2</translation>
    </message>
    <message>
        <source>VGA</source>
        <translation>VGA</translation>
    </message>
    <message>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <source>DVI</source>
        <translation>DVI</translation>
    </message>
    <message>
        <source>SDI</source>
        <translation>SDI</translation>
    </message>
    <message>
        <source>HDBaseT</source>
        <translation>HDBaseT</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
</context>
<context>
    <name>PanelInstall</name>
    <message>
        <source>Projection</source>
        <translation>投影</translation>
    </message>
    <message>
        <source>Projection mode</source>
        <translation>投影方式</translation>
    </message>
    <message>
        <source>Cooling</source>
        <translation>散热</translation>
    </message>
    <message>
        <source>High altitude</source>
        <translation>高海拔</translation>
    </message>
    <message>
        <source>Light source</source>
        <translation>光源</translation>
    </message>
    <message>
        <source>Light power</source>
        <translation>光源功率</translation>
    </message>
    <message>
        <source>Custom level</source>
        <translation>自定义功率</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Subnet mask</source>
        <translation>子网掩码</translation>
    </message>
    <message>
        <source>Gateway</source>
        <translation>网关</translation>
    </message>
    <message>
        <source>DNS server</source>
        <translation>DNS 服务器</translation>
    </message>
    <message>
        <source>Factory settings</source>
        <translation>出厂设置</translation>
    </message>
    <message>
        <source>Factory reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>0.0.0.0</source>
        <translation>0.0.0.0</translation>
    </message>
</context>
<context>
    <name>PanelLens</name>
    <message>
        <source>Lens shift</source>
        <translation>镜头位移</translation>
    </message>
    <message>
        <source>Fine</source>
        <translation>微调</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Coarse</source>
        <translation>粗调</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>Up fine</source>
        <translation>上 微调</translation>
    </message>
    <message>
        <source>Up normal</source>
        <translation>上 常规</translation>
    </message>
    <message>
        <source>Up coarse</source>
        <translation>上 粗调</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>Down fine</source>
        <translation>下 微调</translation>
    </message>
    <message>
        <source>Down normal</source>
        <translation>下 常规</translation>
    </message>
    <message>
        <source>Down coarse</source>
        <translation>下 粗调</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>Left fine</source>
        <translation>左 微调</translation>
    </message>
    <message>
        <source>Left normal</source>
        <translation>左 常规</translation>
    </message>
    <message>
        <source>Left coarse</source>
        <translation>左 粗调</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>Right fine</source>
        <translation>右 微调</translation>
    </message>
    <message>
        <source>Right normal</source>
        <translation>右 常规</translation>
    </message>
    <message>
        <source>Right coarse</source>
        <translation>右 粗调</translation>
    </message>
    <message>
        <source>Centre lens</source>
        <translation>镜头居中</translation>
    </message>
    <message>
        <source>Lens lock</source>
        <translation>镜头锁定</translation>
    </message>
    <message>
        <source>Zoom and focus</source>
        <translation>变焦与聚焦</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Focus near</source>
        <translation>焦距 近</translation>
    </message>
    <message>
        <source>Focus far</source>
        <translation>焦距 远</translation>
    </message>
    <message>
        <source>Lens</source>
        <translation>镜头</translation>
    </message>
    <message>
        <source>Lens type</source>
        <translation>镜头类型</translation>
    </message>
    <message>
        <source>Test pattern</source>
        <translation>测试图</translation>
    </message>
    <message>
        <source>Lens memory</source>
        <translation>镜头记忆</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>记忆</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>载入</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>重命名</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
</context>
<context>
    <name>PanelPicture</name>
    <message>
        <source>Picture</source>
        <translation>图像</translation>
    </message>
    <message>
        <source>Picture mode</source>
        <translation>图像模式</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>对比度</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>饱和度</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>色调</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>Noise reduction</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>Colour temperature</source>
        <translation>色温</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>Dynamic black</source>
        <translation>动态黑</translation>
    </message>
    <message>
        <source>Setting file</source>
        <translation>设置文件</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>导出...</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>导入...</translation>
    </message>
    <message>
        <source>White balance</source>
        <translation>白平衡</translation>
    </message>
    <message>
        <source>Red offset</source>
        <translation>红色偏移</translation>
    </message>
    <message>
        <source>Green offset</source>
        <translation>绿色偏移</translation>
    </message>
    <message>
        <source>Blue offset</source>
        <translation>蓝色偏移</translation>
    </message>
    <message>
        <source>Red gain</source>
        <translation>红色增益</translation>
    </message>
    <message>
        <source>Green gain</source>
        <translation>绿色增益</translation>
    </message>
    <message>
        <source>Blue gain</source>
        <translation>蓝色增益</translation>
    </message>
    <message>
        <source>Colour management</source>
        <translation>色彩管理</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>红</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>绿</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>蓝</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>青</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>品红</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>黄</translation>
    </message>
    <message>
        <source>White R / G / B</source>
        <translation>白 红 / 绿 / 蓝</translation>
    </message>
    <message>
        <source>Reset colour management</source>
        <translation>复位色彩管理</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
</context>
<context>
    <name>PanelService</name>
    <message>
        <source>Fans (rpm)</source>
        <translation>风扇 (转/分)</translation>
    </message>
    <message>
        <source>Fan 1</source>
        <translation>风扇 1</translation>
    </message>
    <message>
        <source>Fan 11</source>
        <translation>风扇 11</translation>
    </message>
    <message>
        <source>Fan 2</source>
        <translation>风扇 2</translation>
    </message>
    <message>
        <source>Fan 12</source>
        <translation>风扇 12</translation>
    </message>
    <message>
        <source>Fan 3</source>
        <translation>风扇 3</translation>
    </message>
    <message>
        <source>Fan 13</source>
        <translation>风扇 13</translation>
    </message>
    <message>
        <source>Fan 4</source>
        <translation>风扇 4</translation>
    </message>
    <message>
        <source>Fan 14</source>
        <translation>风扇 14</translation>
    </message>
    <message>
        <source>Fan 5</source>
        <translation>风扇 5</translation>
    </message>
    <message>
        <source>Fan 15</source>
        <translation>风扇 15</translation>
    </message>
    <message>
        <source>Fan 6</source>
        <translation>风扇 6</translation>
    </message>
    <message>
        <source>Fan 16</source>
        <translation>风扇 16</translation>
    </message>
    <message>
        <source>Fan 7</source>
        <translation>风扇 7</translation>
    </message>
    <message>
        <source>Fan 17</source>
        <translation>风扇 17</translation>
    </message>
    <message>
        <source>Fan 8</source>
        <translation>风扇 8</translation>
    </message>
    <message>
        <source>Fan 18</source>
        <translation>风扇 18</translation>
    </message>
    <message>
        <source>Fan 9</source>
        <translation>风扇 9</translation>
    </message>
    <message>
        <source>Fan 19</source>
        <translation>风扇 19</translation>
    </message>
    <message>
        <source>Fan 10</source>
        <translation>风扇 10</translation>
    </message>
    <message>
        <source>Fan 20</source>
        <translation>风扇 20</translation>
    </message>
    <message>
        <source>Temperatures and cooling</source>
        <translation>温度与散热</translation>
    </message>
    <message>
        <source>Inlet</source>
        <translation>进风口</translation>
    </message>
    <message>
        <source>DMD</source>
        <translation>DMD</translation>
    </message>
    <message>
        <source>Water pump</source>
        <translation>水泵</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Error code</source>
        <translation>错误代码</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>含义</translation>
    </message>
    <message>
        <source>-</source>
        <translation>-</translation>
    </message>
</context>
<context>
    <name>PanelTabs</name>
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
        <translation>维护</translation>
    </message>
</context>
<context>
    <name>PasscodeRule</name>
    <message>
        <source>Password Passed: </source>
        <translation>密码通过：</translation>
    </message>
    <message>
        <source>Password Rejected: </source>
        <translation>密码被拒绝：</translation>
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
    <name>SchedulerItemDelegate</name>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>ScriptHost</name>
    <message>
        <source>Script stopped: it held the window for more than %1 ms</source>
        <translation>脚本已停止：占用窗口超过 %1 毫秒</translation>
    </message>
    <message>
        <source>Script name refused (outside the scripts folder): %1</source>
        <translation>脚本名称被拒绝（不在脚本文件夹内）：%1</translation>
    </message>
    <message>
        <source>Script %1 dropped: %2 scripts already wait</source>
        <translation>脚本 %1 已丢弃：已有 %2 个脚本在等待</translation>
    </message>
    <message>
        <source>Script %1 refused: larger than %2 bytes</source>
        <translation>脚本 %1 被拒绝：大于 %2 字节</translation>
    </message>
    <message>
        <source>A script is running; try again when it has ended</source>
        <translation>脚本正在运行，请在其结束后重试</translation>
    </message>
    <message>
        <source>Script stopped: it ran for more than %1 minutes</source>
        <translation>脚本已停止：运行超过 %1 分钟</translation>
    </message>
    <message>
        <source>Script stopped: it ran for more than %1 s</source>
        <translation>脚本已停止：运行超过 %1 秒</translation>
    </message>
    <message>
        <source>Script stopped by the operator</source>
        <translation>脚本已被操作员停止</translation>
    </message>
    <message>
        <source>Script %1 not readable</source>
        <translation>无法读取脚本 %1</translation>
    </message>
</context>
<context>
    <name>ScriptedClass</name>
    <message>
        <source>Script: %1 commands for %2 (1 to %3 allowed)</source>
        <translation>脚本：发给 %2 的命令有 %1 条（允许 1 至 %3 条）</translation>
    </message>
    <message>
        <source>Script: empty or overlong command for %1</source>
        <translation>脚本：发给 %1 的命令为空或过长</translation>
    </message>
    <message>
        <source>Script: not a single projector address: %1</source>
        <translation>脚本：不是单个投影机地址：%1</translation>
    </message>
    <message>
        <source>Script: log not saved, not a plain file name: %1</source>
        <translation>脚本：日志未保存，不是普通文件名：%1</translation>
    </message>
    <message>
        <source>Script: log not saved, already saved %1 times in this run: %2</source>
        <translation>脚本：日志未保存，本次运行已保存 %1 次：%2</translation>
    </message>
</context>
<context>
    <name>SettingsReader</name>
    <message>
        <source>Error in settings, default used: %1</source>
        <translation>设置有误，已使用默认值：%1</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>%1 must be a port number from 1 to 65535.</source>
        <translation>%1 必须是 1 到 65535 之间的端口号。</translation>
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
        <source>Style must be one of: %1.</source>
        <translation>风格必须是以下之一：%1。</translation>
    </message>
    <message>
        <source>Cmd Files must be the name of a .csv file in pluginPJ.</source>
        <translation>命令文件必须是 pluginPJ 中的 .csv 文件名。</translation>
    </message>
    <message>
        <source>Language must not be empty.</source>
        <translation>语言不能为空。</translation>
    </message>
    <message>
        <source>Status Poll Interval must be from 1 to %1 minutes.</source>
        <translation>状态轮询间隔必须为 1 到 %1 分钟。</translation>
    </message>
    <message>
        <source>%1 must be a number from 1 to %2.</source>
        <translation>%1 必须是 1 到 %2 之间的数字。</translation>
    </message>
    <message>
        <source>Script Time Limit must be from 1 to %1 minutes.</source>
        <translation>脚本时间限制必须为 1 到 %1 分钟。</translation>
    </message>
</context>
<context>
    <name>StatusBarDelegate</name>
    <message>
        <source>Replace: %1</source>
        <translation>需更换：%1</translation>
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
    <name>TableModelScheduler</name>
    <message>
        <source>Scheduled Jobs</source>
        <translation>定时任务</translation>
    </message>
    <message>
        <source>HH:MM</source>
        <translation>时:分</translation>
    </message>
    <message>
        <source>WeekDay(*,1-7)</source>
        <translation>星期(*,1-7)</translation>
    </message>
    <message>
        <source>Mon</source>
        <translation>一</translation>
    </message>
    <message>
        <source>Tue</source>
        <translation>二</translation>
    </message>
    <message>
        <source>Wed</source>
        <translation>三</translation>
    </message>
    <message>
        <source>Thu</source>
        <translation>四</translation>
    </message>
    <message>
        <source>Fri</source>
        <translation>五</translation>
    </message>
    <message>
        <source>Sat</source>
        <translation>六</translation>
    </message>
    <message>
        <source>Sun</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>运行</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>倒计时</translation>
    </message>
    <message>
        <source>Script file (doubleclick to change)</source>
        <translation>脚本文件（双击更改）</translation>
    </message>
    <message>
        <source>Schedule time</source>
        <translation>定时时间</translation>
    </message>
    <message>
        <source>Double-Click to toggle</source>
        <translation>双击切换</translation>
    </message>
    <message>
        <source>Yes or No</source>
        <translation>是或否</translation>
    </message>
    <message>
        <source>With &quot;*&quot; in WeekDay, HH:MM is a repeat period: 00:05 runs the job every 5 minutes</source>
        <translation>星期中含“*”时，时:分为重复周期：00:05 表示每 5 分钟运行一次</translation>
    </message>
    <message>
        <source>time until the next run</source>
        <translation>距下次运行的时间</translation>
    </message>
    <message>
        <source>Days 1 (Mon) to 7 (Sun), e.g. 1;3 or 1-5; &quot;*&quot; every day, with HH:MM as repeat period</source>
        <translation>星期 1（周一）至 7（周日），例如 1;3 或 1-5；“*” 表示每天，并以时:分为重复周期</translation>
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
    <message>
        <source>Standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>Warming up</source>
        <translation>预热中</translation>
    </message>
    <message>
        <source>On</source>
        <translation>开机</translation>
    </message>
    <message>
        <source>Cooling down</source>
        <translation>冷却中</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>无应答</translation>
    </message>
    <message>
        <source>%1 (state %2)</source>
        <translation>%1（状态 %2）</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1 h (rated life unknown)</source>
        <translation>%1 小时（额定寿命未知）</translation>
    </message>
    <message>
        <source>%1 h of %2 h rated life: %3 %</source>
        <translation>%1 小时 / 额定寿命 %2 小时：%3 %</translation>
    </message>
    <message>
        <source>Past its rated life: replace the light source.</source>
        <translation>已超过额定寿命：请更换光源。</translation>
    </message>
    <message>
        <source>0 Standby, 1 Warming up, 2 On, 3 Cooling down, 4 Error; empty: No answer</source>
        <translation>0 待机，1 预热中，2 开机，3 冷却中，4 故障；空：无应答</translation>
    </message>
    <message>
        <source>Error code; rows in error are tinted red. Point at a code for its meaning.</source>
        <translation>错误代码；故障行以红色标示。指向代码可查看其含义。</translation>
    </message>
    <message>
        <source>Light-source hours against the rated life: green, brown past 75 %, red past 90 %, &quot;Replace&quot; past the rated life</source>
        <translation>光源时间与额定寿命之比：绿色；超过 75 % 为棕色；超过 90 % 为红色；超过额定寿命显示“需更换”</translation>
    </message>
</context>
<context>
    <name>TargetDescription</name>
    <message>
        <source>No target: pick a connected projector in the tree or the status table</source>
        <translation>无目标：请在分组树或状态表中选择一台已连接的投影机</translation>
    </message>
    <message>
        <source>Target: %1</source>
        <translation>目标：%1</translation>
    </message>
    <message>
        <source>Target is now %1</source>
        <translation>当前目标：%1</translation>
    </message>
</context>
</TS>
