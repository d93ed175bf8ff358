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
    <name>Status</name>
    <message>
        <source>  --  Input Forward: </source>
        <translation>  --  前进档： </translation>
    </message>
    <message>
        <source>  --  Input Backward: </source>
        <translation>  --  倒车档： </translation>
    </message>
    <message>
        <source>  --  Input Eco  : </source>
        <translation>  --  两档口： </translation>
    </message>
    <message>
        <source>  --  Input BrakeL: </source>
        <translation>  --  低刹车： </translation>
    </message>
    <message>
        <source>  --  Input BrakeH: </source>
        <translation>  --  高刹车： </translation>
    </message>
    <message>
        <source>  --  Input Boost : </source>
        <translation>  --  增力口： </translation>
    </message>
    <message>
        <source>  --  Input Eco   : </source>
        <translation>  --  两档口： </translation>
    </message>
    <message>
        <source>H</source>
        <comment>input level high</comment>
        <translation>高</translation>
    </message>
    <message>
        <source>L</source>
        <comment>input level low</comment>
        <translation>低</translation>
    </message>
    <message>
        <source>I/O STATUS:</source>
        <translation>端口状态：</translation>
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
    <name>frmContUs</name>
    <message>
        <source>Contact us</source>
        <translation>联系我们</translation>
    </message>
    <message>
        <source>Kestrane service team</source>
        <translation>Kestrane 服务团队</translation>
    </message>
    <message>
        <source>Technical support for controller set-up and diagnosis.</source>
        <translation>控制器设置与故障诊断技术支持。</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>网址：</translation>
    </message>
    <message>
        <source>Mail:</source>
        <translation>邮箱：</translation>
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
    <message>
        <source>Hall</source>
        <comment>fault row</comment>
        <translation>霍尔</translation>
    </message>
    <message>
        <source>Hall sensor is error</source>
        <translation>霍尔传感器故障</translation>
    </message>
    <message>
        <source>Under vdc</source>
        <translation>欠压</translation>
    </message>
    <message>
        <source>Battery voltage is too low</source>
        <translation>电池欠压</translation>
    </message>
    <message>
        <source>Over vdc</source>
        <translation>过压</translation>
    </message>
    <message>
        <source>Battery voltage is too high</source>
        <translation>电池过压</translation>
    </message>
    <message>
        <source>Over heat</source>
        <translation>过热</translation>
    </message>
    <message>
        <source>The controller is over heat</source>
        <translation>控制器过热</translation>
    </message>
    <message>
        <source>Over iac</source>
        <translation>过流</translation>
    </message>
    <message>
        <source>The controller is over current</source>
        <translation>控制器过流</translation>
    </message>
    <message>
        <source>Over load</source>
        <translation>过载</translation>
    </message>
    <message>
        <source>Heavy load run time out</source>
        <translation>控制器过载</translation>
    </message>
    <message>
        <source>Motor lock</source>
        <translation>堵转</translation>
    </message>
    <message>
        <source>Motor lock time out</source>
        <translation>电机堵转超时</translation>
    </message>
    <message>
        <source>Motor OH</source>
        <translation>电机过热</translation>
    </message>
    <message>
        <source>The motor is over heat</source>
        <translation>电机过热</translation>
    </message>
    <message>
        <source>MS short</source>
        <translation>电机热阻断路</translation>
    </message>
    <message>
        <source>The motor thermistor is short</source>
        <translation>电机电阻短路</translation>
    </message>
    <message>
        <source>MS open</source>
        <translation>电机热阻开路</translation>
    </message>
    <message>
        <source>The motor thermistor is open</source>
        <translation>电机电阻开路</translation>
    </message>
    <message>
        <source>BMS Err</source>
        <translation>BMS故障</translation>
    </message>
    <message>
        <source>BMS error stop</source>
        <translation>BMS故障停止</translation>
    </message>
    <message>
        <source>Vdc[V]</source>
        <translation>电压[V]</translation>
    </message>
    <message>
        <source>Idc[A]</source>
        <translation>电流[A]</translation>
    </message>
    <message>
        <source>Revolution[rpm]</source>
        <translation>转速[rpm]</translation>
    </message>
    <message>
        <source>Motor T[Deg]</source>
        <translation>电机温度[度]</translation>
    </message>
    <message>
        <source>Power T[Deg]</source>
        <translation>功率器件温度[度]</translation>
    </message>
    <message>
        <source>Throttle vdc[V]</source>
        <translation>油门电压[V]</translation>
    </message>
    <message>
        <source>Iq ref[A]</source>
        <translation>相电流指令值[A]</translation>
    </message>
    <message>
        <source>Iq actual[A]</source>
        <translation>相电流实际值[A]</translation>
    </message>
    <message>
        <source>Id ref[A]</source>
        <translation>弱磁电流指令值[A]</translation>
    </message>
    <message>
        <source>Id actual[A]</source>
        <translation>弱磁电流实际值[A]</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>前进档状态</translation>
    </message>
    <message>
        <source>Backward</source>
        <translation>倒车状态</translation>
    </message>
    <message>
        <source>ECO status</source>
        <translation>两档状态</translation>
    </message>
    <message>
        <source>Brake</source>
        <translation>刹车状态</translation>
    </message>
    <message>
        <source>Boost</source>
        <translation>增力状态</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>防盗状态</translation>
    </message>
    <message>
        <source>Hall calib</source>
        <translation>霍尔标定状态</translation>
    </message>
    <message>
        <source>Hall</source>
        <comment>hall state</comment>
        <translation>霍尔状态</translation>
    </message>
    <message>
        <source>Hall group</source>
        <translation>霍尔组别</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>档位</translation>
    </message>
    <message>
        <source>STATE</source>
        <translation>状态机</translation>
    </message>
    <message>
        <source>System RealTime info</source>
        <translation>系统实时状态</translation>
    </message>
    <message>
        <source>Error infomation</source>
        <translation>故障信息</translation>
    </message>
    <message>
        <source>Error description</source>
        <translation>故障描述</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>当前</translation>
    </message>
    <message>
        <source>History</source>
        <translation>历史</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>基本参数</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>指令值参数</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>电机参数</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制参数</translation>
    </message>
    <message>
        <source>Torque PID</source>
        <translation>力矩参数</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>保护设置</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>其他参数</translation>
    </message>
    <message>
        <source>Flux weaken</source>
        <translation>弱磁控制</translation>
    </message>
    <message>
        <source>DC current calbiration</source>
        <translation>硬件参数</translation>
    </message>
    <message>
        <source>Derate</source>
        <translation>降载设置</translation>
    </message>
    <message>
        <source>ModeSet</source>
        <translation>档位设置</translation>
    </message>
    <message>
        <source>Hall A test</source>
        <translation>霍尔A标定</translation>
    </message>
    <message>
        <source>Hall B test</source>
        <translation>霍尔B标定</translation>
    </message>
    <message>
        <source>Stop hall test</source>
        <translation>停止霍尔标定</translation>
    </message>
    <message>
        <source>AC current calibration</source>
        <translation>老化控制</translation>
    </message>
    <message>
        <source>Data record</source>
        <translation>数据记录</translation>
    </message>
    <message>
        <source>Stop record</source>
        <translation>停止记录</translation>
    </message>
    <message>
        <source>Open record</source>
        <translation>打开记录文件</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;帮助</translation>
    </message>
    <message>
        <source>&amp;Contact us</source>
        <translation>&amp;联系我们</translation>
    </message>
    <message>
        <source>Aging time[s]</source>
        <translation>老化时间[s]</translation>
    </message>
</context>
</TS>
