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
        <source>The connection to the controller on %1 was lost: %2. The link is offline and comes back by itself when the port returns.</source>
        <translation>与 %1 上控制器的连接已断开：%2。链路处于离线状态，端口恢复后会自动重新连接。</translation>
    </message>
    <message>
        <source>the adapter was unplugged or the device is gone</source>
        <translation>转接器已拔出或设备已不存在</translation>
    </message>
    <message>
        <source>access to the port was taken away</source>
        <translation>端口的访问权限已被收回</translation>
    </message>
    <message>
        <source>the port stopped working</source>
        <translation>端口停止工作</translation>
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
    <name>McuSN</name>
    <message>
        <source>Model %1</source>
        <translation>型号 %1</translation>
    </message>
</context>
<context>
    <name>ParameterPage</name>
    <message>
        <source>The controller type is not known yet: bytes %1 will be written as 0. Write anyway?</source>
        <translation>控制器类型尚未读到：字节 %1 将写入 0。仍然写入吗？</translation>
    </message>
    <message>
        <source>rpm</source>
        <translation>rpm</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>deg</source>
        <translation>度</translation>
    </message>
    <message>
        <source>hall steps</source>
        <translation>霍尔步</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>0.1 s</source>
        <translation>0.1 s</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读出</translation>
    </message>
    <message>
        <source>write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Empty: enter a number.</source>
        <translation>为空：请输入数字。</translation>
    </message>
    <message>
        <source>Not a number.</source>
        <translation>不是数字。</translation>
    </message>
    <message>
        <source>Number out of range.</source>
        <translation>数字超出范围。</translation>
    </message>
    <message>
        <source>Too many characters.</source>
        <translation>字符过多。</translation>
    </message>
    <message>
        <source>Holds a character the controller cannot store.</source>
        <translation>含有控制器无法保存的字符。</translation>
    </message>
    <message>
        <source>The box "%1" is empty. Enter a number; nothing was written.</source>
        <translation>输入框“%1”为空，请输入数字。未写入任何数据。</translation>
    </message>
    <message>
        <source>The box "%1" does not hold a number: "%2". Nothing was written.</source>
        <translation>输入框“%1”中不是数字（“%2”）。未写入任何数据。</translation>
    </message>
    <message>
        <source>The box "%1" holds a number out of range: "%2". Nothing was written.</source>
        <translation>输入框“%1”中的数字超出范围（“%2”）。未写入任何数据。</translation>
    </message>
    <message>
        <source>The box "%1" holds more than %2 characters. Nothing was written.</source>
        <translation>输入框“%1”超过 %2 个字符。未写入任何数据。</translation>
    </message>
    <message>
        <source>The box "%1" holds a character the controller cannot store. Nothing was written.</source>
        <translation>输入框“%1”含有控制器无法保存的字符。未写入任何数据。</translation>
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
    <name>frmBasic</name>
    <message>
        <source>Speed limits</source>
        <translation>速度限制</translation>
    </message>
    <message>
        <source>Current ramps</source>
        <translation>电流加减速</translation>
    </message>
    <message>
        <source>Power stage</source>
        <translation>功率器件</translation>
    </message>
    <message>
        <source>Max speed[rpm]</source>
        <translation>最高转速[rpm]</translation>
    </message>
    <message>
        <source>Back speed[rpm]</source>
        <translation>倒车转速[rpm]</translation>
    </message>
    <message>
        <source>ECO speed[rpm]</source>
        <translation>经济档转速[rpm]</translation>
    </message>
    <message>
        <source>Acc of Iq</source>
        <translation>转矩加速度</translation>
    </message>
    <message>
        <source>Dec of Iq</source>
        <translation>转矩减速度</translation>
    </message>
    <message>
        <source>Acc of iq at reg</source>
        <translation>回生转矩加速度</translation>
    </message>
    <message>
        <source>Dec of iq at reg</source>
        <translation>回生转矩减速度</translation>
    </message>
    <message>
        <source>Acc of Id</source>
        <translation>弱磁加速度</translation>
    </message>
    <message>
        <source>Dec 1 of Id</source>
        <translation>弱磁减速度1</translation>
    </message>
    <message>
        <source>Dec of Id</source>
        <translation>弱磁减速度</translation>
    </message>
    <message>
        <source>Speed of Id0[rpm]</source>
        <translation>弱磁退出速度[rpm]</translation>
    </message>
    <message>
        <source>MOS pk I 0[A]</source>
        <translation>功率管特征电流0[A]</translation>
    </message>
    <message>
        <source>MOS pk I 1[A]</source>
        <translation>功率管特征电流1[A]</translation>
    </message>
    <message>
        <source>Temp at I0[Deg]</source>
        <translation>特征电流0的温度[度]</translation>
    </message>
    <message>
        <source>Temp at I1[Deg]</source>
        <translation>特征电流1的温度[度]</translation>
    </message>
    <message>
        <source>Max Iac pk[A]</source>
        <translation>最大峰值相电流[A]</translation>
    </message>
    <message>
        <source>Basic setting</source>
        <translation>基本参数</translation>
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
    <name>frmIdcCalib</name>
    <message>
        <source>Current measurement and lock</source>
        <translation>电流测量与堵转</translation>
    </message>
    <message>
        <source>Input levels</source>
        <translation>输入电平</translation>
    </message>
    <message>
        <source>Wiring and motor temperature</source>
        <translation>接线与电机温度</translation>
    </message>
    <message>
        <source>Identity</source>
        <translation>标识</translation>
    </message>
    <message>
        <source>Control periods</source>
        <translation>控制周期</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>H1: Y-&gt;G-&gt;B</source>
        <translation>H1: 黄-&gt;绿-&gt;蓝</translation>
    </message>
    <message>
        <source>H2: Y-&gt;B-&gt;G</source>
        <translation>H2: 黄-&gt;蓝-&gt;绿</translation>
    </message>
    <message>
        <source>H3: B-&gt;G-&gt;Y</source>
        <translation>H3: 蓝-&gt;绿-&gt;黄</translation>
    </message>
    <message>
        <source>H4: B-&gt;Y-&gt;G</source>
        <translation>H4: 蓝-&gt;黄-&gt;绿</translation>
    </message>
    <message>
        <source>H5: G-&gt;B-&gt;Y</source>
        <translation>H5: 绿-&gt;蓝-&gt;黄</translation>
    </message>
    <message>
        <source>H6: G-&gt;Y-&gt;B</source>
        <translation>H6: 绿-&gt;黄-&gt;蓝</translation>
    </message>
    <message>
        <source>D1: Y-&gt;G-&gt;B</source>
        <translation>D1: 黄-&gt;绿-&gt;蓝</translation>
    </message>
    <message>
        <source>D2: Y-&gt;B-&gt;G</source>
        <translation>D2: 黄-&gt;蓝-&gt;绿</translation>
    </message>
    <message>
        <source>D3: B-&gt;G-&gt;Y</source>
        <translation>D3: 蓝-&gt;绿-&gt;黄</translation>
    </message>
    <message>
        <source>D4: B-&gt;Y-&gt;G</source>
        <translation>D4: 蓝-&gt;黄-&gt;绿</translation>
    </message>
    <message>
        <source>D5: G-&gt;B-&gt;Y</source>
        <translation>D5: 绿-&gt;蓝-&gt;黄</translation>
    </message>
    <message>
        <source>D6: G-&gt;Y-&gt;B</source>
        <translation>D6: 绿-&gt;黄-&gt;蓝</translation>
    </message>
    <message>
        <source>Iq threshold [A]</source>
        <translation>计时电流低阀值[A]</translation>
    </message>
    <message>
        <source>Iq min[A]</source>
        <translation>最小电流[A]</translation>
    </message>
    <message>
        <source>Forward level</source>
        <translation>前进档电平</translation>
    </message>
    <message>
        <source>Backward level</source>
        <translation>倒车档电平</translation>
    </message>
    <message>
        <source>Brake high level</source>
        <translation>高刹车有效电平</translation>
    </message>
    <message>
        <source>B H A</source>
        <translation>高刹车有效</translation>
    </message>
    <message>
        <source>Brake low level</source>
        <translation>低刹车有效电平</translation>
    </message>
    <message>
        <source>Reserve level</source>
        <translation>保留端口电平</translation>
    </message>
    <message>
        <source>B L A</source>
        <translation>低刹车有效</translation>
    </message>
    <message>
        <source>Lock rot[rpm]</source>
        <translation>堵转转速[rpm]</translation>
    </message>
    <message>
        <source>Lock time[s]</source>
        <translation>最小堵转时间[s]</translation>
    </message>
    <message>
        <source>Project NO</source>
        <translation>项目号</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年份</translation>
    </message>
    <message>
        <source>Serial Num</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Flux period[ms]</source>
        <translation>弱磁控制周期[ms]</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>周数</translation>
    </message>
    <message>
        <source>Iac ADC value 128A</source>
        <translation>128A ADC 当量</translation>
    </message>
    <message>
        <source>Reference period[ms]</source>
        <translation>指令值控制周期</translation>
    </message>
    <message>
        <source>Idc gain</source>
        <translation>直流电流增益</translation>
    </message>
    <message>
        <source>Idc D2 power</source>
        <translation>直流电流分母</translation>
    </message>
    <message>
        <source>Subproject num</source>
        <translation>子项目号</translation>
    </message>
    <message>
        <source>Iq quit[A]</source>
        <translation>退出电流[A]</translation>
    </message>
    <message>
        <source>Speed pulses/cycle</source>
        <translation>速度脉冲数/转</translation>
    </message>
    <message>
        <source>Hall connection</source>
        <translation>霍尔连接</translation>
    </message>
    <message>
        <source>Phase connection</source>
        <translation>相线连接</translation>
    </message>
    <message>
        <source>Idc calibration</source>
        <translation>电流参数标定</translation>
    </message>
    <message>
        <source>Calibration worksheet</source>
        <translation>标定工作表</translation>
    </message>
    <message>
        <source>Idc ave factor</source>
        <translation>直流电流标定系数</translation>
    </message>
    <message>
        <source>Ic ADC value 128A</source>
        <translation>c相电流ADC当量</translation>
    </message>
    <message>
        <source>Please do Idc calibration first!</source>
        <translation>请先进行直流电流标定！</translation>
    </message>
    <message>
        <source>Please input DC Current %1 !</source>
        <translation>请输入直流电流 %1 ！</translation>
    </message>
    <message>
        <source>"Idc ave factor" does not hold a number: "%1". Idc gain and Idc D2 power were left as they are.</source>
        <translation>“直流电流标定系数”不是数字：“%1”。直流电流增益和直流电流分母保持不变。</translation>
    </message>
    <message>
        <source>"Idc ave factor" must be above 0: Idc gain and Idc D2 power were left as they are.</source>
        <translation>“直流电流标定系数”必须大于 0：直流电流增益和直流电流分母保持不变。</translation>
    </message>
    <message>
        <source>"Idc ave factor" is too large for the Idc gain (at most 32767): Idc gain and Idc D2 power were left as they are.</source>
        <translation>“直流电流标定系数”对直流电流增益过大（最大 32767）：直流电流增益和直流电流分母保持不变。</translation>
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
        <source>&amp;About Kestrane</source>
        <translation>&amp;关于 Kestrane</translation>
    </message>
    <message>
        <source>About Kestrane</source>
        <translation>关于 Kestrane</translation>
    </message>
    <message>
        <source>Kestrane %1
Motor controller service tool</source>
        <translation>Kestrane %1
电机控制器维护工具</translation>
    </message>
    <message>
        <source>Records are saved in %1</source>
        <translation>记录保存在 %1</translation>
    </message>
    <message>
        <source>Records cannot be saved: %1</source>
        <translation>无法保存记录：%1</translation>
    </message>
    <message>
        <source>Aging time[s]</source>
        <translation>老化时间[s]</translation>
    </message>
</context>
<context>
    <name>frmMotor</name>
    <message>
        <source>Poles and angle offsets</source>
        <translation>极对数与角度偏置</translation>
    </message>
    <message>
        <source>Motor temperature</source>
        <translation>电机温度</translation>
    </message>
    <message>
        <source>Hall group A</source>
        <translation>霍尔A组</translation>
    </message>
    <message>
        <source>Hall calibration</source>
        <translation>霍尔标定</translation>
    </message>
    <message>
        <source>Hall group B / braking (by controller type)</source>
        <translation>霍尔B组／刹车（随控制器类型）</translation>
    </message>
    <message>
        <source>PTC_1k</source>
        <translation>PTC_1k</translation>
    </message>
    <message>
        <source>NTC_230k</source>
        <translation>NTC_230k</translation>
    </message>
    <message>
        <source>NC</source>
        <translation>NC</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>KTY83</source>
        <translation>KTY83</translation>
    </message>
    <message>
        <source>Hall A</source>
        <translation>Hall A</translation>
    </message>
    <message>
        <source>Hall B</source>
        <translation>Hall B</translation>
    </message>
    <message>
        <source>Pole pairs num</source>
        <translation>极对数</translation>
    </message>
    <message>
        <source>Forward angle offset[Deg]</source>
        <translation>前进角度偏置[度]</translation>
    </message>
    <message>
        <source>Motor Tsensor type</source>
        <translation>电机电阻类型</translation>
    </message>
    <message>
        <source>Backward angle offset[Deg]</source>
        <translation>倒车角度偏置[度]</translation>
    </message>
    <message>
        <source>Square angle offset[Deg]</source>
        <translation>启动角度偏置[度]</translation>
    </message>
    <message>
        <source>Hall A 1 remap[Deg]</source>
        <translation>霍尔A1重映射[度]</translation>
    </message>
    <message>
        <source>Hall A 2 remap[Deg]</source>
        <translation>霍尔A2重映射[度]</translation>
    </message>
    <message>
        <source>Hall A 3 remap[Deg]</source>
        <translation>霍尔A3重映射[度]</translation>
    </message>
    <message>
        <source>Hall A 4 remap[Deg]</source>
        <translation>霍尔A4重映射[度]</translation>
    </message>
    <message>
        <source>Hall A 5 remap[Deg]</source>
        <translation>霍尔A5重映射[度]</translation>
    </message>
    <message>
        <source>Hall A 6 remap[Deg]</source>
        <translation>霍尔A6重映射[度]</translation>
    </message>
    <message>
        <source>Motor over heat[Deg]</source>
        <translation>电机过热度[度]</translation>
    </message>
    <message>
        <source>Motor HighT mode[Deg]</source>
        <translation>电机高温点[度]</translation>
    </message>
    <message>
        <source>Motor OH quit[Deg]</source>
        <translation>电机过热恢复点[度]</translation>
    </message>
    <message>
        <source>MotorT hysterstic[Deg]</source>
        <translation>电机回滞温度[度]</translation>
    </message>
    <message>
        <source>Motor switch T[Deg]</source>
        <translation>电机降载温度[度]</translation>
    </message>
    <message>
        <source>Iqref of hallC[A]</source>
        <translation>霍尔标定电流[A]</translation>
    </message>
    <message>
        <source>Acc of iq at HallC</source>
        <translation>霍尔标定加速度</translation>
    </message>
    <message>
        <source>Dec of iq at HallC</source>
        <translation>霍尔标定减速度</translation>
    </message>
    <message>
        <source>Hall noisy pulses</source>
        <translation>霍尔噪声带宽</translation>
    </message>
    <message>
        <source>Hall B 1 remap[Deg]</source>
        <translation>霍尔B1重映射[度]</translation>
    </message>
    <message>
        <source>Hall B 2 remap[Deg]</source>
        <translation>霍尔B2重映射[度]</translation>
    </message>
    <message>
        <source>Hall B 3 remap[Deg]</source>
        <translation>霍尔B3重映射[度]</translation>
    </message>
    <message>
        <source>Hall B 4 remap[Deg]</source>
        <translation>霍尔B4重映射[度]</translation>
    </message>
    <message>
        <source>Hall B 5 remap[Deg]</source>
        <translation>霍尔B5重映射[度]</translation>
    </message>
    <message>
        <source>Hall B 6 remap[Deg]</source>
        <translation>霍尔B6重映射[度]</translation>
    </message>
    <message>
        <source>Hall group</source>
        <translation>当前霍尔组别</translation>
    </message>
    <message>
        <source>Dec2 of iqref</source>
        <translation>油门减速度2</translation>
    </message>
    <message>
        <source>Reg high speed[rpm]</source>
        <translation>回生高转速[rpm]</translation>
    </message>
    <message>
        <source>Reg low speed[rpm]</source>
        <translation>回生低转速[rpm]</translation>
    </message>
    <message>
        <source>Req quatity</source>
        <translation>回生最大当量</translation>
    </message>
    <message>
        <source>Acc of Ebrake</source>
        <translation>电刹车加速度</translation>
    </message>
    <message>
        <source>Dec of Ebrake</source>
        <translation>电刹车减速度</translation>
    </message>
    <message>
        <source>Speed of dec1[rpm]</source>
        <translation>转速-减速度1[rpm]</translation>
    </message>
    <message>
        <source>Speed of dec2[rpm]</source>
        <translation>转速-减速度2[rpm]</translation>
    </message>
    <message>
        <source>Motor parameter</source>
        <translation>电机参数</translation>
    </message>
</context>
<context>
    <name>frmReference</name>
    <message>
        <source>Battery voltage</source>
        <translation>电池电压</translation>
    </message>
    <message>
        <source>Limits and start-up</source>
        <translation>限制与启动</translation>
    </message>
    <message>
        <source>Torque current steps</source>
        <translation>转矩电流特征值</translation>
    </message>
    <message>
        <source>Over vdc[V]</source>
        <translation>过压值[V]</translation>
    </message>
    <message>
        <source>Over vdc recover[V]</source>
        <translation>过压恢复值[V]</translation>
    </message>
    <message>
        <source>Under vdc[V]</source>
        <translation>欠压值[V]</translation>
    </message>
    <message>
        <source>Under vdc recover[V]</source>
        <translation>欠压恢复值[V]</translation>
    </message>
    <message>
        <source>Highest vdc for reg[V]</source>
        <translation>无回生电压值[V]</translation>
    </message>
    <message>
        <source>vdc of full reg[V]</source>
        <translation>最大回生电压值[V]</translation>
    </message>
    <message>
        <source>Vdc of idc limit[V]</source>
        <translation>限流起始电压值[V]</translation>
    </message>
    <message>
        <source>Vdc of idc min[V]</source>
        <translation>最小电流电压值[V]</translation>
    </message>
    <message>
        <source>Reg comp to vdc[%]</source>
        <translation>电压-弱磁补偿</translation>
    </message>
    <message>
        <source>Idc min percent[%]</source>
        <translation>最小电流百分百[%]</translation>
    </message>
    <message>
        <source>Hall steps for 60 switch to 360</source>
        <translation>霍尔切换步数</translation>
    </message>
    <message>
        <source>Start speed forcast</source>
        <translation>启动速度预估</translation>
    </message>
    <message>
        <source>Square start step</source>
        <translation>方波启动步数</translation>
    </message>
    <message>
        <source>Square step DDP</source>
        <translation>方波步长</translation>
    </message>
    <message>
        <source>BW iqref step 12[A]</source>
        <translation>倒车特征电流12[A]</translation>
    </message>
    <message>
        <source>BW iqref step 13[A]</source>
        <translation>倒车特征电流13[A]</translation>
    </message>
    <message>
        <source>ECO iqref step12[A]</source>
        <translation>降载电流特征值12[A]</translation>
    </message>
    <message>
        <source>ECO iqref step13[A]</source>
        <translation>降载电流特征值13[A]</translation>
    </message>
    <message>
        <source>BW iqref step 0[A]</source>
        <translation>倒车特征电流0[A]</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>指令指设定</translation>
    </message>
</context>
<context>
    <name>frmHallTest</name>
    <message>
        <source>Hall Test</source>
        <translation>霍尔测试</translation>
    </message>
    <message>
        <source>Group Hall A is under testing.</source>
        <translation>A组霍尔测试中</translation>
    </message>
    <message>
        <source>Group Hall A test is done.</source>
        <translation>A组霍尔测试完成.</translation>
    </message>
    <message>
        <source>Group Hall B is under testing.</source>
        <translation>B组霍尔测试中.</translation>
    </message>
    <message>
        <source>Group Hall B test is done.</source>
        <translation>B组霍尔测试完成.</translation>
    </message>
</context>
<context>
    <name>frmTime</name>
    <message>
        <source>Aging run</source>
        <translation>老化计时</translation>
    </message>
    <message>
        <source>Power-on time</source>
        <translation>通电计时</translation>
    </message>
    <message>
        <source>%v of %m s</source>
        <translation>%v / %m 秒</translation>
    </message>
    <message>
        <source>"Aging time[s]" does not hold a whole number of seconds: "%1". The Iq test was not started; nothing was sent.</source>
        <translation>“老化时间[s]”不是整数秒：“%1”。老化测试未启动，未发送任何数据。</translation>
    </message>
    <message>
        <source>The stop frame could not be sent. The controller may still be driving the motor: switch it off.</source>
        <translation>停止指令无法发送。控制器可能仍在驱动电机：请关断控制器。</translation>
    </message>
    <message>
        <source>The stop frame was sent, but the controller does not answer. It may still be driving the motor: check it.</source>
        <translation>停止指令已发送，但控制器没有应答，可能仍在驱动电机：请检查。</translation>
    </message>
    <message>
        <source>The link to the controller was lost during the Iq test. The controller may still be driving the motor. The stop frame goes out as soon as the link returns if the aging time is up by then.</source>
        <translation>老化测试期间与控制器的连接中断。控制器可能仍在驱动电机。连接恢复时如老化时间已到，将立即发送停止指令。</translation>
    </message>
    <message>
        <source>"Aging time[s]" does not hold a whole number of seconds: "%1". The Iq test has been stopped.</source>
        <translation>“老化时间[s]”不是整数秒：“%1”。老化测试已停止。</translation>
    </message>
</context>
<context>
    <name>frmIacCalib</name>
    <message>
        <source>AC current calibration</source>
        <translation>交流电流标定</translation>
    </message>
    <message>
        <source>Test mode</source>
        <translation>测试模式</translation>
    </message>
    <message>
        <source>Aging enable</source>
        <translation>老化使能</translation>
    </message>
    <message>
        <source>Lock Active</source>
        <translation>锁定使能</translation>
    </message>
    <message>
        <source>Iq close loop enable</source>
        <translation>Iq闭环使能</translation>
    </message>
    <message>
        <source>Record Start</source>
        <translation>开始记录</translation>
    </message>
    <message>
        <source>Calibration points</source>
        <translation>标定点</translation>
    </message>
    <message>
        <source>Current[A]</source>
        <translation>电流[A]</translation>
    </message>
    <message>
        <source>Phase angle[Deg]</source>
        <translation>相位角[度]</translation>
    </message>
    <message>
        <source>Calib I1</source>
        <translation>标定I1</translation>
    </message>
    <message>
        <source>Calib I2</source>
        <translation>标定I2</translation>
    </message>
    <message>
        <source>Calib I3</source>
        <translation>标定I3</translation>
    </message>
    <message>
        <source>Angle step</source>
        <translation>电角度步长</translation>
    </message>
    <message>
        <source>Electrical Freq[hz]</source>
        <translation>电频率[Hz]</translation>
    </message>
    <message>
        <source>PWM Freq[khz]</source>
        <translation>PWM频率[kHz]</translation>
    </message>
    <message>
        <source>eAngle DPP</source>
        <translation>电角度步长值</translation>
    </message>
    <message>
        <source>Calc</source>
        <translation>计算</translation>
    </message>
    <message>
        <source>write</source>
        <translation>写入</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>油门</translation>
    </message>
    <message>
        <source>Throttle set[%]</source>
        <translation>油门给定[%]</translation>
    </message>
    <message>
        <source>Printf selcection</source>
        <translation>打印选择</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>The angle step %1 is above %2, the largest step the controller takes. Lower "Electrical Freq[hz]" or raise "PWM Freq[khz]" and press "Calc"; nothing was written.</source>
        <translation>电角度步长 %1 大于控制器能接受的最大值 %2。请降低“电频率[Hz]”或提高“PWM频率[kHz]”后按“计算”；未写入任何数据。</translation>
    </message>
    <message>
        <source>The angle step cannot be computed: "PWM Freq[khz]" must be a number other than 0 (it holds "%1") and the result must fit. The angle step stays %2.</source>
        <translation>无法计算电角度步长：“PWM频率[kHz]”必须是非0的数（当前为“%1”），且结果不能超出范围。电角度步长仍为 %2。</translation>
    </message>
</context>
</TS>
