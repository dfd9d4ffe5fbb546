<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>SNPUpgrader</name>
    <message>
        <source>SNPUpgrader</source>
        <extracomment>The program&apos;s name: keep it as it is.</extracomment>
        <translation>SNPUpgrader</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Serial Port:</source>
        <translation>串口：</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>SNP300 所连接的串口。</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>检测端口</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>在计算机上查找串口，并重新填写端口列表。</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>通过所选串口打开与 SNP300 的连接，或关闭已打开的连接。</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>升级 SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>向固件服务器查询更新的映像，请您确认，然后将其写入 SNP300。</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>升级进度</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>映像已写入 SNP300 的比例。</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>升级日志</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>有关连接和升级的消息，最新的消息在最后。</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>扫描</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开连接</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>重新连接</translation>
    </message>
    <message>
        <source>re0x02</source>
        <translation>re0x02</translation>
    </message>
    <message>
        <source>0x02</source>
        <translation>0x02</translation>
    </message>
    <message>
        <source>VERSION</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>升级</translation>
    </message>
    <message>
        <source>Corvane®</source>
        <extracomment>The maker&apos;s name: keep it as it is.</extracomment>
        <translation>Corvane®</translation>
    </message>
    <message>
        <source>The SNP300 is not responding to request,
Please switch it off to reset it and restart.
Connection will be closed.</source>
        <translation>SNP300 未响应请求，
请关闭其电源以将其复位，然后重新启动。
连接将被关闭。</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>设备的引导加载程序需要更新</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>设备已准备好开始更新</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>SNP300 的引导加载程序已更新。
请重新启动 SNP300。
请重新启动 SnpUpgrader 以升级固件。</translation>
    </message>
    <message>
        <source>%1/%2</source>
        <extracomment>A file path: %1 is a folder, %2 a file name. Keep it exactly as it is.</extracomment>
        <translation>%1/%2</translation>
    </message>
    <message>
        <source>You are about to launch an update of your SNP300 firmware.
Your device firmware: %1
Firmware Server is not available. Please check your Internet Connection, Update is canceled</source>
        <translation>您即将启动 SNP300 固件的更新。
您的设备固件：%1
固件服务器不可用。请检查您的互联网连接，更新已取消。</translation>
    </message>
    <message>
        <source>You are about to start updating the bootloader on your SNP300.
Current version: %1
Available version: %2
This operation can corrupt the device if not done in appropriate conditions:
	- Make sure your device will not sleep or lock during the 3 min update
	- Make sure the SNP300 is connected to a power supply for the duration of the update
	- Don&apos;t try to run other programs during the update.
	- Switch off any other nearby devices that could possibly connect to the SNP300
</source>
        <translation>您即将开始更新 SNP300 上的引导加载程序。
当前版本：%1
可用版本：%2
如果不在适当的条件下进行，此操作可能会损坏设备：
	- 请确保您的设备在 3 分钟的更新期间不会休眠或锁定
	- 请确保 SNP300 在整个更新期间都连接着电源
	- 请勿在更新期间运行其他程序。
	- 请关闭附近任何可能连接到 SNP300 的其他设备
</translation>
    </message>
    <message>
        <source>You are about to start updating the firmware on your SNP300.
Current version: %1
Available version: %2
This operation can corrupt the device if not done in appropriate conditions:
	- Make sure your device will not sleep or lock during the 3 min update
	- Make sure the SNP300 is connected to a power supply for the duration of the update
	- Don&apos;t try to run other programs during the update.
	- Switch off any other nearby devices that could possibly connect to the SNP300
</source>
        <translation>您即将开始更新 SNP300 上的固件。
当前版本：%1
可用版本：%2
如果不在适当的条件下进行，此操作可能会损坏设备：
	- 请确保您的设备在 3 分钟的更新期间不会休眠或锁定
	- 请确保 SNP300 在整个更新期间都连接着电源
	- 请勿在更新期间运行其他程序。
	- 请关闭附近任何可能连接到 SNP300 的其他设备
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>连接方式</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>连接 SNP300 的各种方式的页面。</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>正在升级 SNP300。现在关闭将使设备在再次升级之前没有可用的固件。仍要关闭吗？</translation>
    </message>
</context>
</TS>
