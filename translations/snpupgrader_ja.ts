<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
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
        <translation>シリアルポート:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>シリアルポート</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>SNP300 が接続されているシリアルポートです。</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>ポートを検出</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>コンピューターのシリアルポートを検索し、ポートの一覧を作り直します。</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>選択したシリアルポートで SNP300 との接続を開きます。接続中の場合は接続を閉じます。</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>SNP300 をアップグレード...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>ファームウェアサーバーに新しいイメージを問い合わせ、確認を求めてから SNP300 に書き込みます。</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>アップグレードの進行状況</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>イメージのうち SNP300 に書き込まれた割合です。</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>アップグレードのログ</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>接続とアップグレードに関するメッセージです。最新のものが末尾にあります。</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>スキャン</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>再接続</translation>
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
        <translation>バージョン</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>アップグレード</translation>
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
        <translation>SNP300 が要求に応答していません。
リセットするために電源を切り、再起動してください。
接続を閉じます。</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>デバイスのブートローダーを更新する必要があります</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>デバイスの更新を開始する準備ができました</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>SNP300 のブートローダーが更新されました。
SNP300 を再起動してください。
ファームウェアをアップグレードするには SnpUpgrader を再起動してください。</translation>
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
        <translation>SNP300 のファームウェアの更新を開始しようとしています。
デバイスのファームウェア: %1
ファームウェアサーバーを利用できません。インターネット接続を確認してください。更新は取り消されました。</translation>
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
        <translation>SNP300 のブートローダーの更新を開始しようとしています。
現在のバージョン: %1
利用可能なバージョン: %2
この操作は、適切な条件で行わないとデバイスを破損するおそれがあります:
	- 3 分間の更新中にデバイスがスリープまたはロックしないようにしてください
	- 更新中は SNP300 を電源に接続したままにしてください
	- 更新中は他のプログラムを実行しないでください。
	- SNP300 に接続する可能性のある付近の他のデバイスの電源を切ってください
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
        <translation>SNP300 のファームウェアの更新を開始しようとしています。
現在のバージョン: %1
利用可能なバージョン: %2
この操作は、適切な条件で行わないとデバイスを破損するおそれがあります:
	- 3 分間の更新中にデバイスがスリープまたはロックしないようにしてください
	- 更新中は SNP300 を電源に接続したままにしてください
	- 更新中は他のプログラムを実行しないでください。
	- SNP300 に接続する可能性のある付近の他のデバイスの電源を切ってください
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>接続方法</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>SNP300 への接続方法ごとのページです。</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>SNP300 のアップグレード中です。今閉じると、再度アップグレードするまで装置は動作するファームウェアのない状態になります。それでも閉じますか?</translation>
    </message>
</context>
</TS>
