<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
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
        <translation>Serielle Schnittstelle:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>Die serielle Schnittstelle, an die das SNP300 angeschlossen ist.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Schnittstellen suchen</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Sucht die seriellen Schnittstellen des Computers und füllt die Liste der Schnittstellen neu.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Öffnet die Verbindung zum SNP300 über die gewählte serielle Schnittstelle oder schließt die offene Verbindung.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>SNP300 aktualisieren...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Fragt den Firmware-Server nach einem neueren Image, bittet Sie um Bestätigung und programmiert es dann in das SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Fortschritt der Aktualisierung</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>Wie viel des Images bereits in das SNP300 programmiert wurde.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Protokoll der Aktualisierung</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Meldungen zur Verbindung und zur Aktualisierung, die neueste am Ende.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>SUCHEN</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>erneut verbinden</translation>
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
        <translation>VERSION</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>AKTUALISIEREN</translation>
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
        <translation>Das SNP300 antwortet nicht auf die Anfrage.
Bitte schalten Sie es aus, um es zurückzusetzen, und starten Sie es neu.
Die Verbindung wird geschlossen.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>Der Bootloader des Geräts muss aktualisiert werden</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Gerät bereit für die Aktualisierung</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>Der Bootloader des SNP300 wurde aktualisiert.
Starten Sie das SNP300 neu.
Starten Sie SnpUpgrader neu, um die Firmware zu aktualisieren.</translation>
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
        <translation>Sie sind dabei, eine Aktualisierung der Firmware Ihres SNP300 zu starten.
Firmware Ihres Geräts: %1
Der Firmware-Server ist nicht erreichbar. Bitte prüfen Sie Ihre Internetverbindung. Die Aktualisierung wird abgebrochen.</translation>
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
        <translation>Sie sind dabei, den Bootloader Ihres SNP300 zu aktualisieren.
Aktuelle Version: %1
Verfügbare Version: %2
Dieser Vorgang kann das Gerät beschädigen, wenn er nicht unter geeigneten Bedingungen ausgeführt wird:
	- Stellen Sie sicher, dass Ihr Gerät während der 3-minütigen Aktualisierung nicht in den Ruhezustand wechselt oder sich sperrt
	- Stellen Sie sicher, dass das SNP300 während der gesamten Aktualisierung an eine Stromversorgung angeschlossen ist
	- Führen Sie während der Aktualisierung keine anderen Programme aus.
	- Schalten Sie alle anderen Geräte in der Nähe aus, die sich mit dem SNP300 verbinden könnten
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
        <translation>Sie sind dabei, die Firmware Ihres SNP300 zu aktualisieren.
Aktuelle Version: %1
Verfügbare Version: %2
Dieser Vorgang kann das Gerät beschädigen, wenn er nicht unter geeigneten Bedingungen ausgeführt wird:
	- Stellen Sie sicher, dass Ihr Gerät während der 3-minütigen Aktualisierung nicht in den Ruhezustand wechselt oder sich sperrt
	- Stellen Sie sicher, dass das SNP300 während der gesamten Aktualisierung an eine Stromversorgung angeschlossen ist
	- Führen Sie während der Aktualisierung keine anderen Programme aus.
	- Schalten Sie alle anderen Geräte in der Nähe aus, die sich mit dem SNP300 verbinden könnten
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>Die Seiten für die Verbindungsarten zum SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>Ein Upgrade des SNP300 läuft. Wenn Sie jetzt schließen, hat das Gerät keine funktionsfähige Firmware, bis es erneut aktualisiert wird. Trotzdem schließen?</translation>
    </message>
</context>
</TS>
