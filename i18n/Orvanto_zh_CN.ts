<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
</TS>
