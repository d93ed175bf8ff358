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
        <source>The link is disconnected: nothing was sent. Choose the port under Options &gt; Com Setting to connect again.</source>
        <translation>连接已断开：未发送任何数据。请在“选项 &gt; 串口设置”中选择端口重新连接。</translation>
    </message>
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
        <source>%1: "%2" is written as %3</source>
        <translation>%1：“%2”将写为 %3</translation>
    </message>
    <message>
        <source>These boxes are not written as they stand:

%1

Write these values?</source>
        <translation>以下输入框不会按原样写入：

%1

是否写入这些数值？</translation>
    </message>
    <message>
        <source>%1: written and verified.</source>
        <translation>%1：已写入并校验。</translation>
    </message>
    <message>
        <source>%1: the controller does not hold what was written in %2. The page now shows what it holds.</source>
        <translation>%1：控制器中%2的数值与写入的不一致。页面现在显示控制器中的数值。</translation>
    </message>
    <message>
        <source>%1: the controller did not acknowledge the write; it may not hold it. Read the page to see.</source>
        <translation>%1：控制器没有确认写入，可能没有保存。请读取该页面查看。</translation>
    </message>
    <message>
        <source>%1: written, but the block did not come back: not verified.</source>
        <translation>%1：已写入，但未能读回参数块：未校验。</translation>
    </message>
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
    <message>
        <source>%1 (continued)</source>
        <translation>%1（续）</translation>
    </message>
    <message>
        <source>Received byte %1</source>
        <translation>收到的字节 %1</translation>
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
        <source>Find controller</source>
        <translation>查找控制器</translation>
    </message>
    <message>
        <source>Stop search</source>
        <translation>停止查找</translation>
    </message>
    <message>
        <source>Found the controller on %1 at %2. Ok connects.</source>
        <translation>在 %1 上找到控制器，设置 %2。按“确 定”连接。</translation>
    </message>
    <message>
        <source>No controller answered on any port or setting.</source>
        <translation>所有端口和设置都没有控制器应答。</translation>
    </message>
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
    <message>
        <source>COM port does not exist.</source>
        <translation>串口不存在。</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>模拟控制器</translation>
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
    <message>
        <source>Enter writes the whole hardware block to the controller, its identity with it:

%1

Write the block now?</source>
        <translation>按回车将把整个硬件参数块写入控制器，包括控制器的身份信息：

%1

现在写入吗？</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>&amp;Disconnect</source>
        <translation>断开连接(&amp;D)</translation>
    </message>
    <message>
        <source>Verify writes</source>
        <translation>写入后校验</translation>
    </message>
    <message>
        <source>Curve</source>
        <translation>曲线</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Com Setting...</source>
        <translation>通讯设置(&amp;C)...</translation>
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
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Contact us</source>
        <translation>联系我们(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;About Kestrane</source>
        <translation>关于 Kestrane(&amp;A)</translation>
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
    <message>
        <source>Trends</source>
        <translation>趋势图</translation>
    </message>
    <message>
        <source>Poll rate</source>
        <translation>轮询速率</translation>
    </message>
    <message>
        <source>%1 a second</source>
        <translation>每秒 %1 次</translation>
    </message>
    <message>
        <source>&amp;Back up controller…</source>
        <translation>备份控制器(&amp;B)…</translation>
    </message>
    <message>
        <source>&amp;Compare with file…</source>
        <translation>与文件比较(&amp;C)…</translation>
    </message>
    <message>
        <source>&amp;Restore from file…</source>
        <translation>从文件恢复(&amp;R)…</translation>
    </message>
    <message>
        <source>Compare &amp;two files…</source>
        <translation>比较两个文件(&amp;T)…</translation>
    </message>
    <message>
        <source>Compare with &amp;defaults…</source>
        <translation>与默认值比较(&amp;D)…</translation>
    </message>
    <message>
        <source>Last block %1</source>
        <translation>最后数据块 %1</translation>
    </message>
    <message>
        <source>Service re&amp;port…</source>
        <translation>服务报告(&amp;P)…</translation>
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
        <source>Hall group B / braking</source>
        <translation>霍尔B组／刹车</translation>
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
    <message>
        <source>Hall group B / braking (by controller type)</source>
        <translation>霍尔B组／刹车（随控制器类型）</translation>
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
    <name>frmControl</name>
    <message>
        <source>Speed controller gains</source>
        <translation>速度控制器增益</translation>
    </message>
    <message>
        <source>Speed PID steps</source>
        <translation>速度PID分段</translation>
    </message>
    <message>
        <source>Motor lock and assist</source>
        <translation>溜坡与助力</translation>
    </message>
    <message>
        <source>0 rpm speed kp G</source>
        <translation>0速度比例</translation>
    </message>
    <message>
        <source>Speed control kp D</source>
        <translation>速度控制比例分母</translation>
    </message>
    <message>
        <source>0 rpm speed ki G</source>
        <translation>0速度积分</translation>
    </message>
    <message>
        <source>Final kp G</source>
        <translation>终点比例</translation>
    </message>
    <message>
        <source>Distance ast threshold</source>
        <translation>溜坡距离当量</translation>
    </message>
    <message>
        <source>Final ki G</source>
        <translation>终点积分</translation>
    </message>
    <message>
        <source>Motor lock F angle</source>
        <translation>溜坡前进角度</translation>
    </message>
    <message>
        <source>Motor lock B angle</source>
        <translation>溜坡倒车角度</translation>
    </message>
    <message>
        <source>Eco speed ki G</source>
        <translation>经济档积分</translation>
    </message>
    <message>
        <source>speed PID step 0[rpm]</source>
        <translation>控制速度0[rpm]</translation>
    </message>
    <message>
        <source>speed PID step 1[rpm]</source>
        <translation>控制速度1[rpm]</translation>
    </message>
    <message>
        <source>speed PID step 2[rpm]</source>
        <translation>控制速度2[rpm]</translation>
    </message>
    <message>
        <source>Back steps threshold</source>
        <translation>遛坡启动霍尔数</translation>
    </message>
    <message>
        <source>start speed Kp G</source>
        <translation>尾速比例</translation>
    </message>
    <message>
        <source>start speed Ki G</source>
        <translation>尾速积分</translation>
    </message>
</context>
<context>
    <name>frmOther</name>
    <message>
        <source>Other</source>
        <translation>其他</translation>
    </message>
    <message>
        <source>Mid-range torque reference</source>
        <translation>油门中间段</translation>
    </message>
    <message>
        <source>Throttle</source>
        <translation>油门</translation>
    </message>
    <message>
        <source>Backward torque-current steps</source>
        <translation>倒车电流指令</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>功能使能</translation>
    </message>
    <message>
        <source>Percentage in mid tref2[%]</source>
        <translation>油门中间比例2[%]</translation>
    </message>
    <message>
        <source>Tref mid vary delay[s]</source>
        <translation>油门比例切换延时[s]</translation>
    </message>
    <message>
        <source>Tref mid vary speed[rpm]</source>
        <translation>油门比例切换转速[rpm]</translation>
    </message>
    <message>
        <source>Percentage in mid tref[%]</source>
        <translation>油门中间比例[%]</translation>
    </message>
    <message>
        <source>Forward enable</source>
        <translation>前进档使能</translation>
    </message>
    <message>
        <source>Backward enable</source>
        <translation>倒车档使能</translation>
    </message>
    <message>
        <source>Eco enable</source>
        <translation>两档使能</translation>
    </message>
    <message>
        <source>Alarm enable</source>
        <translation>报警功能使能</translation>
    </message>
    <message>
        <source>Brake drive stop enable</source>
        <translation>充电防行车使能</translation>
    </message>
    <message>
        <source>Motor protectin enable</source>
        <translation>电机温度保护使能</translation>
    </message>
    <message>
        <source>Assist enable</source>
        <translation>防遛坡使能</translation>
    </message>
    <message>
        <source>Boost enable</source>
        <translation>增力功能使能</translation>
    </message>
    <message>
        <source>Throttle low[V]</source>
        <translation>油门低阀值[V]</translation>
    </message>
    <message>
        <source>Throttle high[V]</source>
        <translation>油门高阀值[V]</translation>
    </message>
    <message>
        <source>Throttle mid[V]</source>
        <translation>油门中间值[V]</translation>
    </message>
    <message>
        <source>BW iqref step 1[A]</source>
        <translation>倒车电流指令1[A]</translation>
    </message>
    <message>
        <source>BW iqref step 2[A]</source>
        <translation>倒车电流指令2[A]</translation>
    </message>
    <message>
        <source>BW iqref step 3[A]</source>
        <translation>倒车电流指令3[A]</translation>
    </message>
    <message>
        <source>BW iqref step 4[A]</source>
        <translation>倒车电流指令4[A]</translation>
    </message>
    <message>
        <source>BW iqref step 5[A]</source>
        <translation>倒车电流指令5[A]</translation>
    </message>
    <message>
        <source>BW iqref step 6[A]</source>
        <translation>倒车电流指令6[A]</translation>
    </message>
    <message>
        <source>BW iqref step 7[A]</source>
        <translation>倒车电流指令7[A]</translation>
    </message>
    <message>
        <source>BW iqref step 8[A]</source>
        <translation>倒车电流指令8[A]</translation>
    </message>
    <message>
        <source>BW iqref step 9[A]</source>
        <translation>倒车电流指令9[A]</translation>
    </message>
    <message>
        <source>BW iqref step10[A]</source>
        <translation>倒车电流指令10[A]</translation>
    </message>
    <message>
        <source>BW iqref step 11[A]</source>
        <translation>倒车电流指令11[A]</translation>
    </message>
</context>
<context>
    <name>frmDerate</name>
    <message>
        <source>Derate setting</source>
        <translation>降载设置</translation>
    </message>
    <message>
        <source>Derate and recover delays</source>
        <translation>降载与恢复延时</translation>
    </message>
    <message>
        <source>ECO torque-current reference</source>
        <translation>降载电流指令</translation>
    </message>
    <message>
        <source>Speed-dependent limits</source>
        <translation>限速参数</translation>
    </message>
    <message>
        <source>Power derate delay[s]</source>
        <translation>降功率延时[s]</translation>
    </message>
    <message>
        <source>Power recover delay[s]</source>
        <translation>恢复功率延时[s]</translation>
    </message>
    <message>
        <source>Mot power derate delay[s]</source>
        <translation>电机降载延时[s]</translation>
    </message>
    <message>
        <source>Mot power recover delay[s]</source>
        <translation>电机恢复延时[s]</translation>
    </message>
    <message>
        <source>ECO iqref 1[A]</source>
        <translation>降载电流指令1[A]</translation>
    </message>
    <message>
        <source>ECO iqref 2[A]</source>
        <translation>降载电流指令2[A]</translation>
    </message>
    <message>
        <source>ECO iqref 3[A]</source>
        <translation>降载电流指令3[A]</translation>
    </message>
    <message>
        <source>ECO iqref 4[A]</source>
        <translation>降载电流指令4[A]</translation>
    </message>
    <message>
        <source>ECO iqref 5[A]</source>
        <translation>降载电流指令5[A]</translation>
    </message>
    <message>
        <source>ECO iqref 6[A]</source>
        <translation>降载电流指令6[A]</translation>
    </message>
    <message>
        <source>ECO iqref 7[A]</source>
        <translation>降载电流指令7[A]</translation>
    </message>
    <message>
        <source>ECO iqref 8[A]</source>
        <translation>降载电流指令8[A]</translation>
    </message>
    <message>
        <source>ECO iqref 9[A]</source>
        <translation>降载电流指令9[A]</translation>
    </message>
    <message>
        <source>ECO iqref 10[A]</source>
        <translation>降载电流指令10[A]</translation>
    </message>
    <message>
        <source>ECO iqref 11[A]</source>
        <translation>降载电流指令11[A]</translation>
    </message>
    <message>
        <source>Speed step[rpm]</source>
        <translation>速度步长[rpm]</translation>
    </message>
    <message>
        <source>Iqref limit 1[A]</source>
        <translation>限速电流 1[A]</translation>
    </message>
    <message>
        <source>Iqref limit 0[A]</source>
        <translation>限速电流 0[A]</translation>
    </message>
    <message>
        <source>Idref limit 1[A]</source>
        <translation>限速弱磁电流 1[A]</translation>
    </message>
    <message>
        <source>Idref limit 0[A]</source>
        <translation>限速弱磁电流 0[A]</translation>
    </message>
    <message>
        <source>Flux switch speed[rpm]</source>
        <translation>弱磁切换转速[rpm]</translation>
    </message>
</context>
<context>
    <name>frmModeSet</name>
    <message>
        <source>Mode set</source>
        <translation>模式设置</translation>
    </message>
    <message>
        <source>Mode speeds</source>
        <translation>档位转速</translation>
    </message>
    <message>
        <source>Mode currents and boost</source>
        <translation>档位电流与增力</translation>
    </message>
    <message>
        <source>Regeneration</source>
        <translation>回生</translation>
    </message>
    <message>
        <source>Mode 1 speed[rpm]</source>
        <translation>1档转速[rpm]</translation>
    </message>
    <message>
        <source>Mode 2 speed[rpm]</source>
        <translation>2档转速[rpm]</translation>
    </message>
    <message>
        <source>Mode 3 speed[rpm]</source>
        <translation>3档转速[rpm]</translation>
    </message>
    <message>
        <source>Mode 4 speed[rpm]</source>
        <translation>4档转速[rpm]</translation>
    </message>
    <message>
        <source>Mode 1 idc[A]</source>
        <translation>1档电流[A]</translation>
    </message>
    <message>
        <source>Mode 2 idc[A]</source>
        <translation>2档电流[A]</translation>
    </message>
    <message>
        <source>Mode 3 idc[A]</source>
        <translation>3档电流[A]</translation>
    </message>
    <message>
        <source>Mode 4 idc[A]</source>
        <translation>4档电流[A]</translation>
    </message>
    <message>
        <source>Mode 5 idc[A]</source>
        <translation>5档电流[A]</translation>
    </message>
    <message>
        <source>Boost ratio Iac[%]</source>
        <translation>增力电流比例[%]</translation>
    </message>
    <message>
        <source>Boost active sec[s]</source>
        <translation>增力持续时间</translation>
    </message>
    <message>
        <source>Speed fall delay[s]</source>
        <translation>降速延时[s]</translation>
    </message>
    <message>
        <source>Max reg Q</source>
        <translation>最大回生当量</translation>
    </message>
    <message>
        <source>Min reg speed[rpm]</source>
        <translation>最低回生转速[rpm]</translation>
    </message>
    <message>
        <source>Acc of regenerate</source>
        <translation>回生加速度</translation>
    </message>
    <message>
        <source>Dec of regenerate</source>
        <translation>回生减速度</translation>
    </message>
    <message>
        <source>Max slip Reg Q</source>
        <translation>最大滑行回生量</translation>
    </message>
</context>
<context>
    <name>frmProtection</name>
    <message>
        <source>Heavy load and motor lock</source>
        <translation>重载与堵转</translation>
    </message>
    <message>
        <source>Phase current limits</source>
        <translation>相电流限制</translation>
    </message>
    <message>
        <source>Power stage temperature</source>
        <translation>功率器件温度</translation>
    </message>
    <message>
        <source>Current reference by speed</source>
        <translation>各转速电流指令</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>保护设置</translation>
    </message>
    <message>
        <source>Heavy load timeout[s]</source>
        <translation>重载超时[s]</translation>
    </message>
    <message>
        <source>Motor lock timeout[0.1s]</source>
        <translation>电机堵转超时[s]</translation>
    </message>
    <message>
        <source>heavy load Iac[%]</source>
        <translation>重载比例[%]</translation>
    </message>
    <message>
        <source>Motor lock Iac[%]</source>
        <translation>堵转电流比例[%]</translation>
    </message>
    <message>
        <source>Ref iac level[%]</source>
        <translation>相电流比例[%]</translation>
    </message>
    <message>
        <source>Iac limit level[%]</source>
        <translation>相电流保护比例[%]</translation>
    </message>
    <message>
        <source>Power oh[Deg]</source>
        <translation>控制器过热点[度]</translation>
    </message>
    <message>
        <source>Power highT mode[Deg]</source>
        <translation>控制器高温降载点[度]</translation>
    </message>
    <message>
        <source>Power OH recover[Deg]</source>
        <translation>过热恢复点[度]</translation>
    </message>
    <message>
        <source>Power turn point[Deg]</source>
        <translation>温度拐点[度]</translation>
    </message>
    <message>
        <source>Iqref 1[A]</source>
        <translation>电流指令1[A]</translation>
    </message>
    <message>
        <source>Iqref 2[A]</source>
        <translation>电流指令2[A]</translation>
    </message>
    <message>
        <source>Iqref 3[A]</source>
        <translation>电流指令3[A]</translation>
    </message>
    <message>
        <source>Iqref 4[A]</source>
        <translation>电流指令4[A]</translation>
    </message>
    <message>
        <source>Iqref 5[A]</source>
        <translation>电流指令5[A]</translation>
    </message>
    <message>
        <source>Iqref 6[A]</source>
        <translation>电流指令6[A]</translation>
    </message>
    <message>
        <source>Iqref 7[A]</source>
        <translation>电流指令7[A]</translation>
    </message>
    <message>
        <source>Iqref 8[A]</source>
        <translation>电流指令8[A]</translation>
    </message>
    <message>
        <source>Iqref 9[A]</source>
        <translation>电流指令9[A]</translation>
    </message>
    <message>
        <source>Iqref 10[A]</source>
        <translation>电流指令10[A]</translation>
    </message>
    <message>
        <source>Iqref 11[A]</source>
        <translation>电流指令11[A]</translation>
    </message>
    <message>
        <source>Iqref 12[A]</source>
        <translation>电流指令12[A]</translation>
    </message>
    <message>
        <source>Iqref 13[A]</source>
        <translation>电流指令13[A]</translation>
    </message>
    <message>
        <source>Load para</source>
        <translation>载入参数</translation>
    </message>
</context>
<context>
    <name>frmdqPID</name>
    <message>
        <source>Iq (torque) current loop</source>
        <translation>转矩电流环 (Iq)</translation>
    </message>
    <message>
        <source>Id (flux) current loop</source>
        <translation>弱磁电流环 (Id)</translation>
    </message>
    <message>
        <source>Motor lock</source>
        <translation>锁车</translation>
    </message>
    <message>
        <source>Torque PID</source>
        <translation>转矩弱磁 PID</translation>
    </message>
    <message>
        <source>Iq kp gain 0 pre</source>
        <translation>转矩比例增益0_p</translation>
    </message>
    <message>
        <source>Iq ki gain 0 pre</source>
        <translation>转矩积分增益0_p</translation>
    </message>
    <message>
        <source>Iq kp gain 0</source>
        <translation>转矩比例增益0</translation>
    </message>
    <message>
        <source>Iq ki gain 0</source>
        <translation>转矩积分增益0</translation>
    </message>
    <message>
        <source>Iq kp gain 2</source>
        <translation>转矩比例增益2</translation>
    </message>
    <message>
        <source>Iq ki gain 2</source>
        <translation>转矩积分增益2</translation>
    </message>
    <message>
        <source>Iq kp gain 3</source>
        <translation>转矩比例增益3</translation>
    </message>
    <message>
        <source>Iq ki gain 3</source>
        <translation>转矩积分增益3</translation>
    </message>
    <message>
        <source>Iq kp gain</source>
        <translation>转矩比例增益</translation>
    </message>
    <message>
        <source>Iq kp divisor</source>
        <translation>转矩比例增益分母</translation>
    </message>
    <message>
        <source>Iq ki gain</source>
        <translation>转矩积分增益</translation>
    </message>
    <message>
        <source>Acc of MLock</source>
        <translation>锁车加速度</translation>
    </message>
    <message>
        <source>Id kp gain 0 pre</source>
        <translation>弱磁比例增益0_p</translation>
    </message>
    <message>
        <source>Id ki gain 0 pre</source>
        <translation>弱磁积分增益0_p</translation>
    </message>
    <message>
        <source>Id kp gain 0</source>
        <translation>弱磁比例增益0</translation>
    </message>
    <message>
        <source>Id ki gain 0</source>
        <translation>弱磁积分增益0</translation>
    </message>
    <message>
        <source>Id kp gain 2</source>
        <translation>弱磁比例增益2</translation>
    </message>
    <message>
        <source>Id ki gain 2</source>
        <translation>弱磁积分增益2</translation>
    </message>
    <message>
        <source>Id kp gain 3</source>
        <translation>弱磁比例增益3</translation>
    </message>
    <message>
        <source>Id ki gain 3</source>
        <translation>弱磁积分增益3</translation>
    </message>
    <message>
        <source>Id kp gain</source>
        <translation>弱磁比例增益</translation>
    </message>
    <message>
        <source>Id kp divisor</source>
        <translation>弱磁比例增益分母</translation>
    </message>
    <message>
        <source>Id ki gain</source>
        <translation>弱磁积分增益</translation>
    </message>
</context>
<context>
    <name>frmFluxWeaken</name>
    <message>
        <source>Start-up and direction</source>
        <translation>起动与方向</translation>
    </message>
    <message>
        <source>Flux-weakening current references</source>
        <translation>弱磁电流指令</translation>
    </message>
    <message>
        <source>Diagnostic print</source>
        <translation>数据打印</translation>
    </message>
    <message>
        <source>FluxWeaken Reference</source>
        <translation>弱磁指令</translation>
    </message>
    <message>
        <source>Idref 0[A]</source>
        <translation>弱磁电流0[A]</translation>
    </message>
    <message>
        <source>Idref 1[A]</source>
        <translation>弱磁电流1[A]</translation>
    </message>
    <message>
        <source>Idref 2[A]</source>
        <translation>弱磁电流2[A]</translation>
    </message>
    <message>
        <source>Idref 3[A]</source>
        <translation>弱磁电流3[A]</translation>
    </message>
    <message>
        <source>Idref 4[A]</source>
        <translation>弱磁电流4[A]</translation>
    </message>
    <message>
        <source>Idref 5[A]</source>
        <translation>弱磁电流5[A]</translation>
    </message>
    <message>
        <source>Idref 6[A]</source>
        <translation>弱磁电流6[A]</translation>
    </message>
    <message>
        <source>Idref 7[A]</source>
        <translation>弱磁电流7[A]</translation>
    </message>
    <message>
        <source>Idref 8[A]</source>
        <translation>弱磁电流8[A]</translation>
    </message>
    <message>
        <source>Idref 9[A]</source>
        <translation>弱磁电流9[A]</translation>
    </message>
    <message>
        <source>Idref 10[A]</source>
        <translation>弱磁电流10[A]</translation>
    </message>
    <message>
        <source>Idref 11[A]</source>
        <translation>弱磁电流11[A]</translation>
    </message>
    <message>
        <source>Idref 12[A]</source>
        <translation>弱磁电流12[A]</translation>
    </message>
    <message>
        <source>Idref 13[A]</source>
        <translation>弱磁电流13[A]</translation>
    </message>
    <message>
        <source>Printf period[5ms]</source>
        <translation>数据打印周期[5ms]</translation>
    </message>
    <message>
        <source>Flux sign</source>
        <translation>弱磁方向</translation>
    </message>
    <message>
        <source>Startup speed min</source>
        <translation>最低速度指令</translation>
    </message>
    <message>
        <source>Startup speed low</source>
        <translation>低速指令</translation>
    </message>
    <message>
        <source>Startup speed high</source>
        <translation>高速指令</translation>
    </message>
    <message>
        <source>Idref H 8[A]</source>
        <translation>弱磁电流2-8[A]</translation>
    </message>
    <message>
        <source>Idref H 9[A]</source>
        <translation>弱磁电流2-9[A]</translation>
    </message>
    <message>
        <source>Idref H 10[A]</source>
        <translation>弱磁电流2-10[A]</translation>
    </message>
    <message>
        <source>Idref H 11[A]</source>
        <translation>弱磁电流2-11[A]</translation>
    </message>
    <message>
        <source>Idref H 12[A]</source>
        <translation>弱磁电流2-12[A]</translation>
    </message>
    <message>
        <source>PrintfSwitcher</source>
        <translation>数据打印输出开关</translation>
    </message>
</context>
<context>
    <name>LoadPara</name>
    <message>
        <source>Load para: the controller did not acknowledge the Protection block. The Torque PID block was not written; read the Protection page to see what the controller holds.</source>
        <translation>加载参数：控制器没有确认保护参数块。转矩控制参数块未写入；请读取保护参数页，查看控制器中的数值。</translation>
    </message>
    <message>
        <source>Load para: the controller did not send its Torque PID block. Iq ki gain 3 was not written.</source>
        <translation>加载参数：控制器没有发送转矩控制参数块。Iq ki gain 3 未写入。</translation>
    </message>
    <message>
        <source>Load para: the file "%1" was not found. Nothing was written.</source>
        <translation>加载参数：找不到文件“%1”。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: the file "%1" could not be read. Nothing was written.</source>
        <translation>加载参数：无法读取文件“%1”。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: the file "%1" is far too large for a list of at most 11 values. Nothing was written.</source>
        <translation>加载参数：文件“%1”过大，不是最多 11 个数值的列表。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: in the file "%1", value %2 is empty. Nothing was written.</source>
        <translation>加载参数：文件“%1”中第 %2 个数值为空。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: in the file "%1", value %2 ("%3") is not a whole number from -32768 to 32767. Nothing was written.</source>
        <translation>加载参数：文件“%1”中第 %2 个数值（“%3”）不是 -32768 到 32767 之间的整数。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: in the file "%1", value %2 (%3) is negative; it would be written as 0. Nothing was written.</source>
        <translation>加载参数：文件“%1”中第 %2 个数值（%3）为负数，将被写为 0。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: the file "%1" holds %2 values; at most 11 are allowed. Nothing was written.</source>
        <translation>加载参数：文件“%1”包含 %2 个数值，最多允许 11 个。未写入任何参数。</translation>
    </message>
    <message>
        <source>Load para: the file "%1" holds %2 values; four are needed (Iqref 6, Iqref 7, Iqref 8 and Iq ki gain 3). Nothing was written.</source>
        <translation>加载参数：文件“%1”包含 %2 个数值，需要四个（电流指令6、电流指令7、电流指令8 和转矩积分增益3）。未写入任何参数。</translation>
    </message>
</context>
<context>
    <name>Recorder</name>
    <message>
        <source>no folder for data files</source>
        <translation>没有可用的数据文件夹</translation>
    </message>
    <message>
        <source>Recording did not start: the record file "%1" cannot be created (%2).</source>
        <translation>未能开始记录：无法创建记录文件“%1”（%2）。</translation>
    </message>
    <message>
        <source>Recording has stopped: the record file "%1" cannot be written (%2). The records written before are kept.</source>
        <translation>记录已停止：无法写入记录文件“%1”（%2）。此前写入的记录均已保留。</translation>
    </message>
    <message>
        <source>Excle already opened</source>
        <translation>Excel 已经打开</translation>
    </message>
    <message>
        <source>Records the live values into %1, and with their times into %2</source>
        <translation>将实时数据记录到 %1，并连同时间记录到 %2</translation>
    </message>
    <message>
        <source>Stops recording; %1 is kept</source>
        <translation>停止记录；%1 将保留</translation>
    </message>
    <message>
        <source>Exports %1 into a new workbook in %2</source>
        <translation>将 %1 导出为 %2 中的新工作簿</translation>
    </message>
    <message>
        <source>The record file is still being exported.</source>
        <translation>记录文件仍在导出中。</translation>
    </message>
    <message>
        <source>There is no folder for the data files: nothing was exported.</source>
        <translation>没有可用的数据文件夹：未导出任何内容。</translation>
    </message>
    <message>
        <source>There is no record file "%1" yet: nothing was exported.</source>
        <translation>记录文件“%1”尚不存在：未导出任何内容。</translation>
    </message>
    <message>
        <source>The record file "%1" is empty: nothing was exported.</source>
        <translation>记录文件“%1”为空：未导出任何内容。</translation>
    </message>
    <message>
        <source>%1 line(s) of the record file are not numbers and were left out (the first is line %2).</source>
        <translation>记录文件中有 %1 行不是数字，已略去（第一处在第 %2 行）。</translation>
    </message>
    <message>
        <source>%1 line(s) of the record file have more than eight fields: only their first eight were exported.</source>
        <translation>记录文件中有 %1 行多于八个字段：只导出了前八个字段。</translation>
    </message>
    <message>
        <source>The records fill %1 sheets; the chart shows the first.</source>
        <translation>记录共占 %1 个工作表；图表显示第一个工作表。</translation>
    </message>
    <message>
        <source>The workbook "%1" was written, but no application could open it.</source>
        <translation>工作簿“%1”已写好，但没有程序能打开它。</translation>
    </message>
    <message>
        <source>The record file "%1" holds no records: nothing was exported.</source>
        <translation>记录文件“%1”中没有记录：未导出任何内容。</translation>
    </message>
    <message>
        <source>The record file "%1" cannot be read (%2): no workbook was written.</source>
        <translation>无法读取记录文件“%1”（%2）：未写出工作簿。</translation>
    </message>
    <message>
        <source>The workbook cannot be written in "%1" (%2).</source>
        <translation>无法在“%1”中写出工作簿（%2）。</translation>
    </message>
    <message>
        <source>The recording "%1" was not opened: line %2 %3.</source>
        <translation>记录“%1”未打开：第 %2 行%3。</translation>
    </message>
    <message>
        <source>does not name the schema</source>
        <translation>没有注明格式版本</translation>
    </message>
    <message>
        <source>The recording "%1" was not opened: it is of schema %2, and this version of Kestrane reads schema %3.</source>
        <translation>记录“%1”未打开：它的格式版本为 %2，本版 Kestrane 读取格式版本 %3。</translation>
    </message>
    <message>
        <source>is not the header of a recording</source>
        <translation>不是记录文件的表头</translation>
    </message>
    <message>
        <source>The last line of the recording was cut short and is left out.</source>
        <translation>记录的最后一行不完整，已略去。</translation>
    </message>
    <message>
        <source>The recording "%1" was not opened: it has more than %2 lines.</source>
        <translation>记录“%1”未打开：它超过 %2 行。</translation>
    </message>
    <message>
        <source>has %1 fields instead of %2</source>
        <translation>有 %1 个字段，应为 %2 个</translation>
    </message>
    <message>
        <source>has no valid time</source>
        <translation>没有有效的时间</translation>
    </message>
    <message>
        <source>is earlier than the line before</source>
        <translation>的时间早于上一行</translation>
    </message>
    <message>
        <source>marks an event but holds readings</source>
        <translation>标记了事件却含有读数</translation>
    </message>
    <message>
        <source>names an unknown event</source>
        <translation>含有未知的事件</translation>
    </message>
    <message>
        <source>holds "%1" as %2, which a status block cannot carry</source>
        <translation>的 %2 为“%1”，状态数据帧不可能给出这个值</translation>
    </message>
    <message>
        <source>leaves other readings empty than the lines before</source>
        <translation>空缺的读数与前面各行不同</translation>
    </message>
    <message>
        <source>holds a state or error word that a status block cannot carry</source>
        <translation>含有状态数据帧不可能给出的状态字或故障字</translation>
    </message>
    <message>
        <source>The record file "%1" holds no records: nothing was opened.</source>
        <translation>记录文件“%1”中没有记录：未打开任何内容。</translation>
    </message>
    <message>
        <source>%1 line(s) of the record file are not records and were left out (the first is line %2).</source>
        <translation>记录文件中有 %1 行不是记录，已略去（第一处在第 %2 行）。</translation>
    </message>
    <message>
        <source>The record file has no clock times: its counter is shown as seconds.</source>
        <translation>记录文件中没有时钟时间：其计数按秒显示。</translation>
    </message>
    <message>
        <source>The recording "%1" cannot be read (%2): nothing was opened.</source>
        <translation>无法读取记录“%1”（%2）：未打开任何内容。</translation>
    </message>
    <message>
        <source>The file "%1" is not a Kestrane recording: nothing was opened.</source>
        <translation>文件“%1”不是 Kestrane 记录：未打开任何内容。</translation>
    </message>
    <message>
        <source>The record file "%1" already holds records. Empty it and start a new recording?</source>
        <translation>记录文件“%1”中已有记录。要清空它并开始新的记录吗？</translation>
    </message>
    <message>
        <source>The timed recording "%1" cannot be created (%2); the record file "%3" is written as before.</source>
        <translation>无法创建带时间的记录“%1”（%2）；记录文件“%3”照常写入。</translation>
    </message>
    <message>
        <source>The timed recording "%1" cannot be written (%2) and has stopped; the record file "%3" is written as before.</source>
        <translation>无法写入带时间的记录“%1”（%2），该记录已停止；记录文件“%3”照常写入。</translation>
    </message>
    <message>
        <source>REC %1, %2 records</source>
        <translation>记录中 %1，%2 条</translation>
    </message>
</context>
<context>
    <name>frmUserInfo</name>
    <message>
        <source>User name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>User information</source>
        <translation>用户信息</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>read</source>
        <translation>读出</translation>
    </message>
    <message>
        <source>reset</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>"%1" holds more than %2 characters, more than the controller stores. Nothing was written.</source>
        <translation>“%1”超过 %2 个字符，超出控制器的存储容量。未写入任何内容。</translation>
    </message>
    <message>
        <source>"%1" holds the character %2, which the controller cannot store. Nothing was written.</source>
        <translation>“%1”含有字符 %2，控制器无法存储该字符。未写入任何内容。</translation>
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
<context>
    <name>ControllerFinder</name>
    <message>
        <source>%1 at %2%3…</source>
        <translation>%1，%2 波特%3…</translation>
    </message>
    <message>
        <source>, odd parity</source>
        <translation>，奇校验</translation>
    </message>
    <message>
        <source>, even parity</source>
        <translation>，偶校验</translation>
    </message>
    <message>
        <source>%1: no permission to open it (group "dialout"); skipped.</source>
        <translation>%1：没有打开权限（用户组 "dialout"），已跳过。</translation>
    </message>
    <message>
        <source>%1: in use by another program; skipped.</source>
        <translation>%1：正被其他程序使用，已跳过。</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>Polls the controller once a second and prints its live status, one line a block, until --count blocks or Ctrl-C. Exit status: 0 done, 3 no controller answered.</source>
        <translation>每秒查询一次控制器，每个状态块打印一行实时状态，直到 --count 个块或 Ctrl-C。退出状态：0 完成，3 没有控制器应答。</translation>
    </message>
    <message>
        <source>Comma-separated, with a header line.</source>
        <translation>以逗号分隔，带标题行。</translation>
    </message>
    <message>
        <source>Stop after N blocks.</source>
        <translation>收到 N 个块后停止。</translation>
    </message>
    <message>
        <source>--count takes a whole number of blocks.</source>
        <translation>--count 需要一个整数块数。</translation>
    </message>
    <message>
        <source>link down</source>
        <translation>连接断开</translation>
    </message>
    <message>
        <source>link up</source>
        <translation>连接恢复</translation>
    </message>
    <message>
        <source>Print the live status, one line a poll.</source>
        <translation>打印实时状态，每次查询一行。</translation>
    </message>
    <message>
        <source>Try only this port (again for more).</source>
        <translation>只尝试这个端口（可重复指定多个）。</translation>
    </message>
    <message>
        <source>Save every parameter block of the controller to a file.</source>
        <translation>把控制器的全部参数块保存到文件。</translation>
    </message>
    <message>
        <source>Compare a parameter-set file with another, the defaults or the controller.</source>
        <translation>把参数集文件与另一个文件、默认值或控制器比较。</translation>
    </message>
    <message>
        <source>Write a file's differing fields and verify them by reading back.</source>
        <translation>写入文件中不同的参数，并读回校验。</translation>
    </message>
    <message>
        <source>Show one block of the controller.</source>
        <translation>显示控制器的一个参数块。</translation>
    </message>
    <message>
        <source>Say which controller is attached.</source>
        <translation>显示所连接的控制器。</translation>
    </message>
    <message>
        <source>Find the port and line settings of the controller.</source>
        <translation>查找控制器的端口和串口设置。</translation>
    </message>
    <message>
        <source>Reading %1 (%2 of %3) ...</source>
        <translation>正在读取%1（第 %2 个，共 %3 个）……</translation>
    </message>
    <message>
        <source>No controller answered on %1 at %2.</source>
        <translation>%1（%2）上没有控制器应答。</translation>
    </message>
    <message>
        <source>diff takes FILE and one of FILE2, --defaults or the controller (--port DEVICE or --demo).</source>
        <translation>diff 需要 FILE，以及 FILE2、--defaults 或控制器（--port DEVICE 或 --demo）之一。</translation>
    </message>
    <message>
        <source>the controller on %1</source>
        <translation>%1 上的控制器</translation>
    </message>
    <message>
        <source>Name the controller: --port DEVICE or --demo.</source>
        <translation>请指定控制器：--port DEVICE 或 --demo。</translation>
    </message>
    <message>
        <source>controller type %1, identity unknown</source>
        <translation>控制器类型 %1，身份未知</translation>
    </message>
    <message>
        <source>controller type %1, project %2, serial number %3, week %4, %5</source>
        <translation>控制器类型 %1，项目号 %2，序列号 %3，周 %4，%5</translation>
    </message>
    <message>
        <source>Reads every parameter block of the controller (the Idc block first) and saves them to FILE. Exit status: 0 saved, 1 saved but blocks are missing, 2 usage, 3 no controller answered.</source>
        <translation>读取控制器的全部参数块（先读 Idc 参数块）并保存到 FILE。退出状态：0 已保存，1 已保存但缺少参数块，2 用法错误，3 没有控制器应答。</translation>
    </message>
    <message>
        <source>The file to write (.kparams).</source>
        <translation>要写入的文件（.kparams）。</translation>
    </message>
    <message>
        <source>Saved %1 blocks to %2: %3.</source>
        <translation>已将 %1 个参数块保存到 %2：%3。</translation>
    </message>
    <message>
        <source>Missing: %1 (no answer); the file is marked partial.</source>
        <translation>缺少：%1（无应答）；文件已标记为不完整。</translation>
    </message>
    <message>
        <source>Reads the controller's Idc block and says who it is: type, project number, serial number, week, model.</source>
        <translation>读取控制器的 Idc 参数块并显示其身份：类型、项目号、序列号、周、型号。</translation>
    </message>
    <message>
        <source>Looks for the controller on every USB adapter and serial port, at every rate and parity. Exit status: 0 found, 3 none answered.</source>
        <translation>在每个 USB 适配器和串口上，以每种波特率和校验方式查找控制器。退出状态：0 已找到，3 没有应答。</translation>
    </message>
    <message>
        <source>Writing %1 (%2 of %3) ...</source>
        <translation>正在写入%1（第 %2 个，共 %3 个）……</translation>
    </message>
    <message>
        <source>Writes the fields of FILE that differ from what the controller holds, block by block, and reads each block back to verify it. Without --yes it only shows what it would write. The Idc calibration and User information blocks are written only when --blocks names them. Exit status: 0 verified (or nothing to write), 1 differences left or not verified, 2 usage, 3 link failure.</source>
        <translation>逐块写入 FILE 中与控制器不同的参数，并读回每个参数块进行校验。不加 --yes 时只显示将写入的内容。Idc 校准和用户信息参数块只有在 --blocks 中列出时才写入。退出状态：0 已校验（或无需写入），1 仍有差异或未校验，2 用法错误，3 连接失败。</translation>
    </message>
    <message>
        <source>Only these blocks, by name: %1.</source>
        <translation>只写这些参数块（按名称）：%1。</translation>
    </message>
    <message>
        <source>Write, do not only show.</source>
        <translation>写入，而不只是显示。</translation>
    </message>
    <message>
        <source>The file is of another controller type: name that type to write it anyway ("type 3").</source>
        <translation>文件属于另一种控制器类型：写出该类型的名称（"type 3"）才会写入。</translation>
    </message>
    <message>
        <source>There is no block "%1"; the blocks are: %2.</source>
        <translation>没有参数块"%1"；参数块有：%2。</translation>
    </message>
    <message>
        <source>Nothing to write: the controller holds what the file holds.</source>
        <translation>无需写入：控制器中的数值与文件相同。</translation>
    </message>
    <message>
        <source>Nothing was written. Run again with --yes to write these %1 blocks.</source>
        <translation>未写入任何数据。加 --yes 重新运行即可写入这 %1 个参数块。</translation>
    </message>
    <message>
        <source>Reads one block and shows its fields as its page does, with its bytes.</source>
        <translation>读取一个参数块，像页面一样显示其参数，并显示其字节。</translation>
    </message>
    <message>
        <source>One of: %1.</source>
        <translation>以下之一：%1。</translation>
    </message>
    <message>
        <source>Compare two parameter-set files field by field.</source>
        <translation>逐项比较两个参数集文件。</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>命令：</translation>
    </message>
    <message>
        <source>"kestrane COMMAND --help" tells more of each. Without a command, kestrane opens its window.</source>
        <translation>“kestrane 命令 --help”显示各命令的详细说明。不带命令时，kestrane 打开窗口。</translation>
    </message>
    <message>
        <source>kestrane: there is no command "%1".</source>
        <translation>kestrane：没有命令“%1”。</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>显示本帮助后退出。</translation>
    </message>
    <message>
        <source>Print the result as JSON, for scripts.</source>
        <translation>以 JSON 输出结果，供脚本使用。</translation>
    </message>
    <message>
        <source>Speak English (en) or Chinese (zh); by default the system's language.</source>
        <translation>使用英文（en）或中文（zh）；默认使用系统语言。</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>用法：%1</translation>
    </message>
    <message>
        <source>--language takes en or zh, not "%1".</source>
        <translation>--language 只接受 en 或 zh，不接受“%1”。</translation>
    </message>
    <message>
        <source>The controller on this serial port (for example /dev/ttyUSB0 or COM3).</source>
        <translation>连接在此串口上的控制器（例如 /dev/ttyUSB0 或 COM3）。</translation>
    </message>
    <message>
        <source>Line settings for --port; default 9600,n,8,1.</source>
        <translation>--port 的串口设置；默认 9600,n,8,1。</translation>
    </message>
    <message>
        <source>The built-in simulated controller.</source>
        <translation>内置的模拟控制器。</translation>
    </message>
    <message>
        <source>Controller type of --demo (1, 2 or 3; default 2).</source>
        <translation>--demo 的控制器类型（1、2 或 3；默认 2）。</translation>
    </message>
    <message>
        <source>--demo and --port exclude each other.</source>
        <translation>--demo 与 --port 不能同时使用。</translation>
    </message>
    <message>
        <source>--settings "%1" is not of the form 9600,n,8,1.</source>
        <translation>--settings“%1”不符合 9600,n,8,1 的格式。</translation>
    </message>
    <message>
        <source>--type takes 1, 2 or 3.</source>
        <translation>--type 只接受 1、2 或 3。</translation>
    </message>
    <message>
        <source>--type goes with --demo only.</source>
        <translation>--type 只能与 --demo 一起使用。</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>%1: not comparable, missing in %2</source>
        <translation>%1：无法比较，%2 中缺少此参数块</translation>
    </message>
    <message>
        <source>%1: %2 changed, %3 unchanged</source>
        <translation>%1：%2 项不同，%3 项相同</translation>
    </message>
    <message>
        <source>%1 changed, %2 unchanged, %3 not for controller type %4, %5 blocks not comparable.</source>
        <translation>%1 项不同，%2 项相同，%3 项不属于控制器类型 %4，%5 个参数块无法比较。</translation>
    </message>
    <message>
        <source>Reading %1 ...</source>
        <translation>正在读取 %1 ...</translation>
    </message>
    <message>
        <source>Compares FILE with FILE2 (or with the pages' design-time defaults for FILE's controller type) field by field, on what the bytes hold for the controller type of the second. Exit status: 0 equal, 1 differences or a file refused, 2 usage or a file that cannot be read.</source>
        <translation>逐项比较 FILE 与 FILE2（或与 FILE 的控制器类型下各页面的设计默认值），按第二个参数集的控制器类型解读字节。退出状态：0 相同，1 有差异或文件被拒绝，2 用法错误或文件无法读取。</translation>
    </message>
    <message>
        <source>Compare FILE with the pages' design-time defaults.</source>
        <translation>将 FILE 与各页面的设计默认值比较。</translation>
    </message>
    <message>
        <source>A parameter-set file (.kparams).</source>
        <translation>参数集文件（.kparams）。</translation>
    </message>
    <message>
        <source>The file to compare it with.</source>
        <translation>与之比较的文件。</translation>
    </message>
    <message>
        <source>diff takes FILE and FILE2, or FILE and --defaults.</source>
        <translation>diff 需要 FILE 和 FILE2，或 FILE 和 --defaults。</translation>
    </message>
    <message>
        <source>defaults of controller type %1</source>
        <translation>控制器类型 %1 的默认值</translation>
    </message>
    <message>
        <source>Reads the controller's identity, live status and parameter blocks and writes the service report to FILE: an A4 PDF, or one HTML file with --html. Exit status: 0 written, 1 the reference file is refused, 2 usage or the file cannot be written, 3 no controller answered.</source>
        <translation>读取控制器的身份信息、实时状态和参数块，并将服务报告写入 FILE：A4 PDF，或使用 --html 时为一个 HTML 文件。退出状态：0 已写入，1 比较文件被拒绝，2 用法错误或文件无法写入，3 没有控制器应答。</translation>
    </message>
    <message>
        <source>Write one HTML file (pictures inline) instead of a PDF.</source>
        <translation>写入一个 HTML 文件（图片内嵌），而不是 PDF。</translation>
    </message>
    <message>
        <source>The technician's name on the report.</source>
        <translation>报告上的技术员姓名。</translation>
    </message>
    <message>
        <source>Compare the parameters with this file (.kparams); by default with the defaults.</source>
        <translation>将参数与此文件 (.kparams) 比较；默认与默认值比较。</translation>
    </message>
    <message>
        <source>The report to write (.pdf or .html).</source>
        <translation>要写入的报告（.pdf 或 .html）。</translation>
    </message>
    <message>
        <source>Reading the live status ...</source>
        <translation>正在读取实时状态...</translation>
    </message>
    <message>
        <source>No live status came; the report says so.</source>
        <translation>未收到实时状态；报告中会注明。</translation>
    </message>
    <message>
        <source>Wrote the service report to %1.</source>
        <translation>服务报告已写入 %1。</translation>
    </message>
    <message>
        <source>No data: %1</source>
        <translation>无数据：%1</translation>
    </message>
    <message>
        <source>Write the service report of the controller (PDF or HTML).</source>
        <translation>生成控制器的服务报告（PDF 或 HTML）。</translation>
    </message>
    <message>
        <source>kestrane: this build cannot write reports.</source>
        <translation>kestrane：此版本无法生成报告。</translation>
    </message>
</context>
<context>
    <name>ParameterSet</name>
    <message>
        <source>Block "%1" has no field "%2" that a restore can write. Nothing was written.</source>
        <translation>参数块“%1”中没有可恢复写入的参数项“%2”。未写入任何参数。</translation>
    </message>
    <message>
        <source>%1: not written, the file or the controller lacks the block.</source>
        <translation>%1：未写入，文件或控制器中缺少此参数块。</translation>
    </message>
    <message>
        <source>%1: not written, this block is written only when it is chosen by itself.</source>
        <translation>%1：未写入，此参数块只有被单独选中时才会写入。</translation>
    </message>
    <message>
        <source>%1: not written, the controller type %2 does not tell the layout of some of its bytes.</source>
        <translation>%1：未写入，控制器类型 %2 无法确定其中部分字节的含义。</translation>
    </message>
    <message>
        <source>type %1</source>
        <translation>类型 %1</translation>
    </message>
    <message>
        <source>The file is of controller %1, the controller is of %2. Nothing was written; to restore it all the same, confirm by typing "%1".</source>
        <translation>文件属于控制器%1，而控制器为%2。未写入任何参数；如仍要恢复，请输入“%1”确认。</translation>
    </message>
    <message>
        <source>%1: not verified, the controller answered with another block (%2).</source>
        <translation>%1：未通过校验，控制器回复了另一个参数块（%2）。</translation>
    </message>
    <message>
        <source>byte %1</source>
        <translation>字节 %1</translation>
    </message>
    <message>
        <source>%1: verified</source>
        <translation>%1：已校验</translation>
    </message>
    <message>
        <source>%1: not verified, the controller holds other values than were written in: %2.</source>
        <translation>%1：未通过校验，控制器中以下参数与写入值不同：%2。</translation>
    </message>
    <message>
        <source>checked</source>
        <translation>已勾选</translation>
    </message>
    <message>
        <source>unchecked</source>
        <translation>未勾选</translation>
    </message>
    <message>
        <source>(no item: %1)</source>
        <translation>（无对应选项：%1）</translation>
    </message>
    <message>
        <source>The controller types differ (%1 and %2): the fields are compared as controller type %2 lays them out.</source>
        <translation>控制器类型不同（%1 和 %2）：按控制器类型 %2 的布局比较各参数项。</translation>
    </message>
    <message>
        <source>The serial numbers differ (%1 and %2): the sets are of two different controllers.</source>
        <translation>序列号不同（%1 和 %2）：这是两台不同控制器的参数集。</translation>
    </message>
    <message>
        <source>The parameter set was not written: it would not read back (%1). No file was changed.</source>
        <translation>参数集未写入：写入后将无法读回（%1）。没有文件被更改。</translation>
    </message>
    <message>
        <source>The parameter set could not be written: %1. No file was changed.</source>
        <translation>参数集无法写入：%1。没有文件被更改。</translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation>无法读取文件：%1。</translation>
    </message>
    <message>
        <source>The file is %1 bytes long, far too large for a parameter set.</source>
        <translation>文件长 %1 字节，远大于参数集的大小。</translation>
    </message>
    <message>
        <source>The file is not a parameter set: it is not JSON (%1).</source>
        <translation>该文件不是参数集：它不是 JSON（%1）。</translation>
    </message>
    <message>
        <source>The file is truncated: it ends before its last block.</source>
        <translation>文件不完整：在最后一个参数块之前就结束了。</translation>
    </message>
    <message>
        <source>The file is not a Kestrane parameter set.</source>
        <translation>该文件不是 Kestrane 参数集。</translation>
    </message>
    <message>
        <source>The file is of schema %1, written by a newer Kestrane; this version reads schema %2.</source>
        <translation>该文件为格式版本 %1，由较新的 Kestrane 写入；本版本只能读取格式版本 %2。</translation>
    </message>
    <message>
        <source>"%1" is missing.</source>
        <translation>缺少“%1”。</translation>
    </message>
    <message>
        <source>"%1" is malformed (expected: %2).</source>
        <translation>“%1”格式错误（应为：%2）。</translation>
    </message>
    <message>
        <source>The file holds a block "%1" that no parameter set has.</source>
        <translation>文件中含有参数集没有的参数块“%1”。</translation>
    </message>
    <message>
        <source>The block appears twice.</source>
        <translation>该参数块出现了两次。</translation>
    </message>
    <message>
        <source>"partial" and "missing" do not match the blocks the file holds (missing: %1).</source>
        <translation>“partial”和“missing”与文件中的参数块不符（缺少：%1）。</translation>
    </message>
    <message>
        <source>Its bytes do not begin with the block's codes or do not end with its end marker (%1).</source>
        <translation>其字节的开头不是该参数块的命令码，或结尾不是结束标志（%1）。</translation>
    </message>
    <message>
        <source>Its checksum does not match its bytes: the bytes were changed or damaged.</source>
        <translation>校验和与字节不符：字节已被修改或损坏。</translation>
    </message>
    <message>
        <source>The file names another controller type than its bytes (%1): it was edited by hand.</source>
        <translation>文件中的控制器类型与字节中的不同（%1）：文件被手工修改过。</translation>
    </message>
    <message>
        <source>The field "%1" does not say what the bytes hold ("%2"): the file was edited by hand.</source>
        <translation>参数项“%1”与字节中的值（“%2”）不符：文件被手工修改过。</translation>
    </message>
    <message>
        <source>The identity does not match the Idc calibration bytes: the file was edited by hand.</source>
        <translation>标识信息与电流标定参数块的字节不符：文件被手工修改过。</translation>
    </message>
    <message>
        <source>Block "%1": %2</source>
        <translation>参数块“%1”：%2</translation>
    </message>
    <message>
        <source>Nothing from this file was used.</source>
        <translation>未使用该文件中的任何内容。</translation>
    </message>
</context>
<context>
    <name>SetTransfer</name>
    <message>
        <source>verified</source>
        <translation>已校验</translation>
    </message>
    <message>
        <source>written, but the controller holds something else</source>
        <translation>已写入，但控制器中的数值不同</translation>
    </message>
    <message>
        <source>written, not verified (the block did not come back)</source>
        <translation>已写入，未校验（参数块未能读回）</translation>
    </message>
    <message>
        <source>sent, not acknowledged: not verified</source>
        <translation>已发送，未确认：未校验</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>未发送</translation>
    </message>
</context>
<context>
    <name>frmTrends</name>
    <message>
        <source>Battery</source>
        <comment>pane</comment>
        <translation>电池</translation>
    </message>
    <message>
        <source>Current</source>
        <comment>pane</comment>
        <translation>电流</translation>
    </message>
    <message>
        <source>Speed</source>
        <comment>pane</comment>
        <translation>转速</translation>
    </message>
    <message>
        <source>Temperature</source>
        <comment>pane</comment>
        <translation>温度</translation>
    </message>
    <message>
        <source>Throttle</source>
        <comment>pane</comment>
        <translation>油门</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <source>DC current</source>
        <translation>直流电流</translation>
    </message>
    <message>
        <source>Speed</source>
        <comment>series</comment>
        <translation>转速</translation>
    </message>
    <message>
        <source>Motor temperature</source>
        <translation>电机温度</translation>
    </message>
    <message>
        <source>Power-stage temperature</source>
        <translation>功率器件温度</translation>
    </message>
    <message>
        <source>Iq reference</source>
        <translation>相电流指令值</translation>
    </message>
    <message>
        <source>Iq actual</source>
        <translation>相电流实际值</translation>
    </message>
    <message>
        <source>Id reference</source>
        <translation>弱磁电流指令值</translation>
    </message>
    <message>
        <source>Id actual</source>
        <translation>弱磁电流实际值</translation>
    </message>
    <message>
        <source>Throttle</source>
        <comment>series</comment>
        <translation>油门电压</translation>
    </message>
    <message>
        <source>Trends</source>
        <translation>趋势图</translation>
    </message>
    <message>
        <source>Time shown:</source>
        <translation>显示时长：</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 分钟</translation>
    </message>
    <message>
        <source>Back to live</source>
        <translation>回到实时</translation>
    </message>
    <message>
        <source>Open recording...</source>
        <translation>打开记录...</translation>
    </message>
    <message>
        <source>Save PNG...</source>
        <translation>保存 PNG...</translation>
    </message>
    <message>
        <source>Save CSV...</source>
        <translation>保存 CSV...</translation>
    </message>
    <message>
        <source>Wheel: zoom the time. Drag: move it. Ctrl+wheel: zoom the values of a pane. Double click: back to the latest.</source>
        <translation>滚轮：缩放时间。拖动：平移时间。Ctrl+滚轮：缩放一个窗格的数值。双击：回到最新。</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Recording: %1 (%2 records)</source>
        <translation>记录：%1（%2 条）</translation>
    </message>
    <message>
        <source>Live, paused: the history goes on.</source>
        <translation>实时，已暂停：历史数据继续记录。</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>实时</translation>
    </message>
    <message>
        <source>Latest values</source>
        <translation>最新数值</translation>
    </message>
    <message>
        <source>Link down</source>
        <translation>通信中断</translation>
    </message>
    <message>
        <source>Link back</source>
        <translation>通信恢复</translation>
    </message>
    <message>
        <source>%1 appeared</source>
        <translation>出现%1</translation>
    </message>
    <message>
        <source>%1 cleared</source>
        <translation>%1已消除</translation>
    </message>
    <message>
        <source>The picture "%1" cannot be saved (%2).</source>
        <translation>无法保存图片“%1”（%2）。</translation>
    </message>
    <message>
        <source>No records are shown: nothing was saved.</source>
        <translation>当前没有显示任何记录：未保存。</translation>
    </message>
    <message>
        <source>The recording "%1" cannot be saved (%2).</source>
        <translation>无法保存记录“%1”（%2）。</translation>
    </message>
    <message>
        <source>Open recording</source>
        <translation>打开记录</translation>
    </message>
    <message>
        <source>Recordings (*.csv *.txt);;All files (*)</source>
        <translation>记录 (*.csv *.txt);;所有文件 (*)</translation>
    </message>
</context>
<context>
    <name>frmSets</name>
    <message>
        <source>Back up controller</source>
        <translation>备份控制器</translation>
    </message>
    <message>
        <source>Compare with file</source>
        <translation>与文件比较</translation>
    </message>
    <message>
        <source>Restore from file</source>
        <translation>从文件恢复</translation>
    </message>
    <message>
        <source>Compare two files</source>
        <translation>比较两个文件</translation>
    </message>
    <message>
        <source>Compare with defaults</source>
        <translation>与默认值比较</translation>
    </message>
    <message>
        <source>Parameter sets</source>
        <translation>参数集</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>序列号 %1</translation>
    </message>
    <message>
        <source>taken %1</source>
        <translation>读取于 %1</translation>
    </message>
    <message>
        <source>partial</source>
        <translation>不完整</translation>
    </message>
    <message>
        <source>Reading %1 (%2 of %3) ...</source>
        <translation>正在读取 %1（第 %2 个，共 %3 个）……</translation>
    </message>
    <message>
        <source>Writing %1 (%2 of %3) ...</source>
        <translation>正在写入 %1（第 %2 个，共 %3 个）……</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>字节</translation>
    </message>
    <message>
        <source>Tick all</source>
        <translation>全部勾选</translation>
    </message>
    <message>
        <source>Tick none</source>
        <translation>全部取消</translation>
    </message>
    <message>
        <source>Write ticked fields</source>
        <translation>写入勾选的参数</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>控制器</translation>
    </message>
    <message>
        <source>File</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>First</source>
        <translation>第一个</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>第二个</translation>
    </message>
    <message>
        <source>Parameter sets (*.kparams);;All files (*)</source>
        <translation>参数集 (*.kparams);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Open a parameter set</source>
        <translation>打开参数集</translation>
    </message>
    <message>
        <source>Open the second parameter set</source>
        <translation>打开第二个参数集</translation>
    </message>
    <message>
        <source>The controller is being read or written: wait until it has ended.</source>
        <translation>正在读写控制器，请等待完成。</translation>
    </message>
    <message>
        <source>No controller answers: connect it and choose its port under Options &gt; Com Setting first. Nothing was read or written.</source>
        <translation>控制器没有应答：请先连接控制器，并在“选项 &gt; 通讯设置”中选择串口。未读取也未写入任何内容。</translation>
    </message>
    <message>
        <source>No block came from the controller: nothing was saved.</source>
        <translation>控制器没有返回任何参数块：未保存任何内容。</translation>
    </message>
    <message>
        <source>%1 blocks saved in %2.</source>
        <translation>已将 %1 个参数块保存到 %2。</translation>
    </message>
    <message>
        <source>The backup is partial: %1 did not come. The file says so.</source>
        <translation>备份不完整：未收到 %1。文件中已注明。</translation>
    </message>
    <message>
        <source>Controller: %1</source>
        <translation>控制器：%1</translation>
    </message>
    <message>
        <source>No block came from the controller: nothing was compared.</source>
        <translation>控制器没有返回任何参数块：未进行比较。</translation>
    </message>
    <message>
        <source>Not read from the controller: %1.</source>
        <translation>未从控制器读到：%1。</translation>
    </message>
    <message>
        <source>The file is of %1, the controller of %2. To write it all the same, type "%1" here:</source>
        <translation>文件属于%1，控制器是%2。如仍要写入，请在此输入“%1”：</translation>
    </message>
    <message>
        <source>Nothing compared yet.</source>
        <translation>尚未比较。</translation>
    </message>
    <message>
        <source>%1 fields differ, %2 are equal, %3 are not used by this controller type.</source>
        <translation>%1 个参数不同，%2 个相同，%3 个不适用于该控制器类型。</translation>
    </message>
    <message>
        <source>%1 blocks are missing on one side.</source>
        <translation>有 %1 个参数块只在一方存在。</translation>
    </message>
    <message>
        <source>Both hold the same.</source>
        <translation>两者内容相同。</translation>
    </message>
    <message>
        <source>%1 differ</source>
        <translation>%1 个不同</translation>
    </message>
    <message>
        <source>missing in "%1"</source>
        <translation>“%1”中缺少</translation>
    </message>
    <message>
        <source>Shown only: a restore does not write it.</source>
        <translation>仅显示：恢复时不写入。</translation>
    </message>
    <message>
        <source>Identity, calibration and password: written only when ticked here.</source>
        <translation>身份、校准和密码：只有在此勾选时才写入。</translation>
    </message>
    <message>
        <source>Write zeros into the bytes whose layout is not known for these blocks?</source>
        <translation>是否向这些参数块中布局未知的字节写入 0？</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>未写入任何内容。</translation>
    </message>
    <message>
        <source>No ticked field differs from the controller: nothing was written.</source>
        <translation>勾选的参数与控制器相同：未写入任何内容。</translation>
    </message>
    <message>
        <source>Write these fields into the controller? Each block is read back and compared afterwards.</source>
        <translation>将这些参数写入控制器吗？每个参数块写入后都会读回并比较。</translation>
    </message>
    <message>
        <source>The controller does not hold what was shown any more (or did not answer). Nothing was written: look at the table again.</source>
        <translation>控制器中的内容已与显示的不同（或没有应答）。未写入任何内容：请重新查看表格。</translation>
    </message>
    <message>
        <source>%1 blocks written and verified.</source>
        <translation>已写入并校验 %1 个参数块。</translation>
    </message>
    <message>
        <source>Not every block was verified:</source>
        <translation>并非所有参数块都已校验：</translation>
    </message>
    <message>
        <source>The controller is being read or written: the window closes when it has ended.</source>
        <translation>正在读写控制器：完成后才能关闭窗口。</translation>
    </message>
</context>
<context>
    <name>frmCurve</name>
    <message>
        <source>Speed[rpm]</source>
        <translation>转速[rpm]</translation>
    </message>
    <message>
        <source>Phase current[A]</source>
        <translation>相电流[A]</translation>
    </message>
    <message>
        <source>Redraw curve</source>
        <translation>曲线刷新</translation>
    </message>
</context>
<context>
    <name>ServiceReport</name>
    <message>
        <source>Service report</source>
        <translation>服务报告</translation>
    </message>
    <message>
        <source>Technician:</source>
        <translation>技术员：</translation>
    </message>
    <message>
        <source>Compare with:</source>
        <translation>比较对象：</translation>
    </message>
    <message>
        <source>The defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>A parameter-set file:</source>
        <translation>参数集文件：</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Report file:</source>
        <translation>报告文件：</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>浏览...</translation>
    </message>
    <message>
        <source>Write report</source>
        <translation>生成报告</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Parameter sets (*.kparams)</source>
        <translation>参数集 (*.kparams)</translation>
    </message>
    <message>
        <source>Name the file to write the report to.</source>
        <translation>请指定报告要写入的文件。</translation>
    </message>
    <message>
        <source>Name the parameter-set file to compare with, or choose the defaults.</source>
        <translation>请指定用于比较的参数集文件，或选择默认值。</translation>
    </message>
    <message>
        <source>Reading the controller's blocks (%1 of %2) ...</source>
        <translation>正在读取控制器参数块（第 %1 个，共 %2 个）...</translation>
    </message>
    <message>
        <source>Writing the report ...</source>
        <translation>正在生成报告...</translation>
    </message>
    <message>
        <source>The service report was written to %1.</source>
        <translation>服务报告已写入 %1。</translation>
    </message>
    <message>
        <source>Controller</source>
        <translation>控制器</translation>
    </message>
    <message>
        <source>The controller's identity was not read in this session.</source>
        <translation>本次会话未读取控制器身份信息。</translation>
    </message>
    <message>
        <source>Controller type</source>
        <translation>控制器类型</translation>
    </message>
    <message>
        <source>Project number</source>
        <translation>项目号</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>周</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>Live status</source>
        <translation>实时状态</translation>
    </message>
    <message>
        <source>No live status was received in this session.</source>
        <translation>本次会话未收到实时状态。</translation>
    </message>
    <message>
        <source>The last status block, at %1:</source>
        <translation>最后一个状态块，时间 %1：</translation>
    </message>
    <message>
        <source>Reading</source>
        <translation>读数</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <source>Faults</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>No fault information: no live status was received.</source>
        <translation>无故障信息：未收到实时状态。</translation>
    </message>
    <message>
        <source>Fault</source>
        <translation>故障</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>描述</translation>
    </message>
    <message>
        <source>Current faults</source>
        <translation>当前故障</translation>
    </message>
    <message>
        <source>None.</source>
        <translation>无。</translation>
    </message>
    <message>
        <source>History faults</source>
        <translation>历史故障</translation>
    </message>
    <message>
        <source>Faults seen in this session</source>
        <translation>本次会话出现的故障</translation>
    </message>
    <message>
        <source>No fault appeared or cleared in this session.</source>
        <translation>本次会话没有故障出现或消除。</translation>
    </message>
    <message>
        <source>appeared</source>
        <translation>出现</translation>
    </message>
    <message>
        <source>cleared</source>
        <translation>消除</translation>
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
        <source>%1 later events are not listed.</source>
        <translation>另有 %1 个较晚的事件未列出。</translation>
    </message>
    <message>
        <source>Hall test</source>
        <translation>霍尔测试</translation>
    </message>
    <message>
        <source>No hall test was run in this session.</source>
        <translation>本次会话未进行霍尔测试。</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>组</translation>
    </message>
    <message>
        <source>Sector %1 [Deg]</source>
        <translation>扇区 %1 [度]</translation>
    </message>
    <message>
        <source>Hall A</source>
        <translation>霍尔 A</translation>
    </message>
    <message>
        <source>Hall B</source>
        <translation>霍尔 B</translation>
    </message>
    <message>
        <source>Parameters that differ from %1</source>
        <translation>与%1不同的参数</translation>
    </message>
    <message>
        <source>The controller's parameters were not read in this session.</source>
        <translation>本次会话未读取控制器参数。</translation>
    </message>
    <message>
        <source>The reference cannot be used: %1</source>
        <translation>无法使用比较对象：%1</translation>
    </message>
    <message>
        <source>(not shown)</source>
        <translation>（不显示）</translation>
    </message>
    <message>
        <source>Every parameter compared equals the reference (%1 fields).</source>
        <translation>所比较的参数均与比较对象相同（%1 个字段）。</translation>
    </message>
    <message>
        <source>%1 of %2 fields differ:</source>
        <translation>%2 个字段中有 %1 个不同：</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>参数块</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>比较对象</translation>
    </message>
    <message>
        <source>Not read from the controller: %1.</source>
        <translation>未从控制器读取：%1。</translation>
    </message>
    <message>
        <source>Not in the reference: %1.</source>
        <translation>比较对象中没有：%1。</translation>
    </message>
    <message>
        <source>Restored and verified</source>
        <translation>恢复与校验</translation>
    </message>
    <message>
        <source>Nothing was restored in this session.</source>
        <translation>本次会话未恢复任何参数。</translation>
    </message>
    <message>
        <source>%1, from %2:</source>
        <translation>%1，来自 %2：</translation>
    </message>
    <message>
        <source>No block was written.</source>
        <translation>未写入任何参数块。</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>Fields that differ</source>
        <translation>不同的字段</translation>
    </message>
    <message>
        <source>Link drops</source>
        <translation>通讯中断</translation>
    </message>
    <message>
        <source>The link did not drop in this session.</source>
        <translation>本次会话通讯未中断。</translation>
    </message>
    <message>
        <source>not back</source>
        <translation>未恢复</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>中断</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>持续时间</translation>
    </message>
    <message>
        <source>Trends</source>
        <translation>趋势</translation>
    </message>
    <message>
        <source>One status block was recorded: too few for a picture.</source>
        <translation>只记录了一个状态块，不足以绘图。</translation>
    </message>
    <message>
        <source>No trend data was recorded in this session.</source>
        <translation>本次会话未记录趋势数据。</translation>
    </message>
    <message>
        <source>The last %1 min, %2 status blocks:</source>
        <translation>最近 %1 分钟，%2 个状态块：</translation>
    </message>
    <message>
        <source>the defaults</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>not given</source>
        <translation>未填写</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>日期和时间</translation>
    </message>
    <message>
        <source>Tool version</source>
        <translation>工具版本</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>技术员</translation>
    </message>
    <message>
        <source>serial number %1</source>
        <translation>序列号 %1</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>The report "%1" cannot be written (%2).</source>
        <translation>无法写入报告“%1”（%2）。</translation>
    </message>
</context>
</TS>
