<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Link</name>
    <message>
        <source>Basic set successfull!</source>
        <translation>基本参数设置成功！</translation>
    </message>
    <message>
        <source>User info set successfull!</source>
        <translation>用户信息设置成功！</translation>
    </message>
    <message>
        <source>Reference set successfull!</source>
        <translation>指令值参数设置成功！</translation>
    </message>
    <message>
        <source>Control set successfull!</source>
        <translation>控制参数设置成功！</translation>
    </message>
    <message>
        <source>Motor set successfull!</source>
        <translation>电机参数设置成功！</translation>
    </message>
    <message>
        <source>Protection set successfull!</source>
        <translation>保护参数设置成功！</translation>
    </message>
    <message>
        <source>Factory set successfull!</source>
        <translation>厂家设置成功！</translation>
    </message>
    <message>
        <source>Restore to default successfull!</source>
        <translation>恢复出厂设置成功！</translation>
    </message>
    <message>
        <source>Idc calibration successfull!</source>
        <translation>硬件参数设置成功！</translation>
    </message>
    <message>
        <source>Other set successfull!</source>
        <translation>其他参数设置成功！</translation>
    </message>
    <message>
        <source>Assist set successfull!</source>
        <translation>助力参数设置成功！</translation>
    </message>
    <message>
        <source>Torque PID set successfull!</source>
        <translation>转矩控制参数设置成功！</translation>
    </message>
    <message>
        <source>Derate set successfull!</source>
        <translation>降载参数设置成功！</translation>
    </message>
    <message>
        <source>Flux weaken set successfull!</source>
        <translation>弱磁参数设置成功！</translation>
    </message>
    <message>
        <source>Mode set successfull!</source>
        <translation>档位参数设置成功！</translation>
    </message>
    <message>
        <source>Make sure the throttle return and motor stops</source>
        <translation>请确认转把归零，电机停止！</translation>
    </message>
</context>
<context>
    <name>LinkController</name>
    <message>
        <source>The connection to the controller on %1 was lost (%2). The link is offline and comes back by itself when the port returns.</source>
        <translation>与 %1 上控制器的连接已断开（%2）。链路处于离线状态，端口恢复后会自动重新连接。</translation>
    </message>
    <message>
        <source>The serial port %1 was not found. Check that the adapter is plugged in and that the right port is chosen in the port settings.</source>
        <translation>找不到串口 %1。请检查转接器是否已插好，并在串口配置中选择正确的端口。</translation>
    </message>
    <message>
        <source>No permission to open the serial port %1. Add your user to the group "dialout" and log in again.</source>
        <translation>没有打开串口 %1 的权限。请将当前用户加入 "dialout" 组，然后重新登录。</translation>
    </message>
    <message>
        <source>The serial port %1 is in use by another program.</source>
        <translation>串口 %1 正被其他程序占用。</translation>
    </message>
    <message>
        <source>The serial port %1 does not accept the settings %2.</source>
        <translation>串口 %1 不支持设置 %2。</translation>
    </message>
    <message>
        <source>The serial port %1 cannot be opened: %2</source>
        <translation>无法打开串口 %1：%2</translation>
    </message>
</context>
<context>
    <name>frmComSet</name>
    <message>
        <source>Serial Port Setting</source>
        <translation>串口配置</translation>
    </message>
    <message>
        <source>Serial Port Parameters</source>
        <translation>自定义参数</translation>
    </message>
    <message>
        <source>Port Number:</source>
        <translation>端口号：</translation>
    </message>
    <message>
        <source>Baud Rate:</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>Data Bit:</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <source>Stop Bit:</source>
        <translation>停止位：</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>校验和：</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确 定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取 消</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;文件</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;退出</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;选项</translation>
    </message>
    <message>
        <source>&amp;Com Setting...</source>
        <translation>&amp;通讯设置</translation>
    </message>
    <message>
        <source>ONLINE</source>
        <translation>控制器已连接</translation>
    </message>
    <message>
        <source>OFFLINE</source>
        <translation>控制器未连接</translation>
    </message>
</context>
</TS>
