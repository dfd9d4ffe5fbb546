<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it" sourcelanguage="en">
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
        <translation>Porta seriale:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Porta seriale</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>La porta seriale a cui è collegato l&apos;SNP300.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Rileva porte</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Cerca le porte seriali del computer e compila di nuovo l&apos;elenco delle porte.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connetti</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Apre il collegamento con l&apos;SNP300 sulla porta seriale scelta, oppure chiude il collegamento aperto.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>Aggiorna SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Chiede al server del firmware un&apos;immagine più recente, chiede di confermare e poi la programma nell&apos;SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Avanzamento dell&apos;aggiornamento</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>Quanta parte dell&apos;immagine è già stata programmata nell&apos;SNP300.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Registro dell&apos;aggiornamento</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Messaggi sul collegamento e sull&apos;aggiornamento, il più recente alla fine.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>CERCA</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnetti</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>riconnetti</translation>
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
        <translation>VERSIONE</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>AGGIORNA</translation>
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
        <translation>L&apos;SNP300 non risponde alla richiesta.
Spegnerlo per reimpostarlo e riavviarlo.
La connessione verrà chiusa.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>Il bootloader del dispositivo deve essere aggiornato</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Dispositivo pronto per avviare l&apos;aggiornamento</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>Il bootloader dell&apos;SNP300 è stato aggiornato.
Riavviare l&apos;SNP300.
Riavviare SnpUpgrader per aggiornare il firmware.</translation>
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
        <translation>Si sta per avviare un aggiornamento del firmware dell&apos;SNP300.
Firmware del dispositivo: %1
Il server del firmware non è disponibile. Verificare la connessione a Internet. L&apos;aggiornamento è annullato.</translation>
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
        <translation>Si sta per aggiornare il bootloader dell&apos;SNP300.
Versione attuale: %1
Versione disponibile: %2
Questa operazione può danneggiare il dispositivo se non viene eseguita in condizioni adeguate:
	- Assicurarsi che il dispositivo non vada in sospensione e non si blocchi durante i 3 min dell&apos;aggiornamento
	- Assicurarsi che l&apos;SNP300 sia collegato a un alimentatore per tutta la durata dell&apos;aggiornamento
	- Non eseguire altri programmi durante l&apos;aggiornamento.
	- Spegnere tutti gli altri dispositivi nelle vicinanze che potrebbero connettersi all&apos;SNP300
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
        <translation>Si sta per aggiornare il firmware dell&apos;SNP300.
Versione attuale: %1
Versione disponibile: %2
Questa operazione può danneggiare il dispositivo se non viene eseguita in condizioni adeguate:
	- Assicurarsi che il dispositivo non vada in sospensione e non si blocchi durante i 3 min dell&apos;aggiornamento
	- Assicurarsi che l&apos;SNP300 sia collegato a un alimentatore per tutta la durata dell&apos;aggiornamento
	- Non eseguire altri programmi durante l&apos;aggiornamento.
	- Spegnere tutti gli altri dispositivi nelle vicinanze che potrebbero connettersi all&apos;SNP300
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Connessione</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>Le pagine dei modi di connessione all&apos;SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>È in corso un aggiornamento dell&apos;SNP300. Chiudendo ora il dispositivo resta senza firmware funzionante finché non viene aggiornato di nuovo. Chiudere comunque?</translation>
    </message>
</context>
</TS>
