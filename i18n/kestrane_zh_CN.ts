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
    <name>Recorder</name>
    <message>
        <source>no folder for data files</source>
        <translation>没有可用的数据文件夹</translation>
    </message>
    <message>
        <source>Recording did not start: the record file &quot;%1&quot; cannot be created (%2).</source>
        <translation>未能开始记录：无法创建记录文件“%1”（%2）。</translation>
    </message>
    <message>
        <source>Recording has stopped: the record file &quot;%1&quot; cannot be written (%2). The records written before are kept.</source>
        <translation>记录已停止：无法写入记录文件“%1”（%2）。此前写入的记录均已保留。</translation>
    </message>
    <message>
        <source>Excle already opened</source>
        <translation>Excel 已经打开</translation>
    </message>
    <message>
        <source>Records the live values into %1</source>
        <translation>将实时数据记录到 %1</translation>
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
        <source>There is no record file &quot;%1&quot; yet: nothing was exported.</source>
        <translation>记录文件“%1”尚不存在：未导出任何内容。</translation>
    </message>
    <message>
        <source>The record file &quot;%1&quot; is empty: nothing was exported.</source>
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
        <source>The workbook &quot;%1&quot; was written, but no application could open it.</source>
        <translation>工作簿“%1”已写好，但没有程序能打开它。</translation>
    </message>
    <message>
        <source>The record file &quot;%1&quot; holds no records: nothing was exported.</source>
        <translation>记录文件“%1”中没有记录：未导出任何内容。</translation>
    </message>
    <message>
        <source>The record file &quot;%1&quot; cannot be read (%2): no workbook was written.</source>
        <translation>无法读取记录文件“%1”（%2）：未写出工作簿。</translation>
    </message>
    <message>
        <source>The workbook cannot be written in &quot;%1&quot; (%2).</source>
        <translation>无法在“%1”中写出工作簿（%2）。</translation>
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
        <source>&quot;%1&quot; holds more than %2 characters, more than the controller stores. Nothing was written.</source>
        <translation>“%1”超过 %2 个字符，超出控制器的存储容量。未写入任何内容。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds the character %2, which the controller cannot store. Nothing was written.</source>
        <translation>“%1”含有字符 %2，控制器无法存储该字符。未写入任何内容。</translation>
    </message>
</context>
</TS>
