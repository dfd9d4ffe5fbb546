<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
        <translation>Port série :</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Port série</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>Le port série auquel le SNP300 est connecté.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Détecter les ports</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Recherche les ports série de l&apos;ordinateur et remplit à nouveau la liste des ports.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connecter</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Ouvre la liaison avec le SNP300 sur le port série choisi, ou ferme la liaison ouverte.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>Mettre à jour le SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Demande au serveur de micrologiciels une image plus récente, vous demande de confirmer, puis la programme dans le SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Progression de la mise à jour</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>La part de l&apos;image déjà programmée dans le SNP300.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Journal de la mise à jour</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Messages sur la liaison et la mise à jour, le plus récent à la fin.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>RECHERCHER</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Déconnecter</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>reconnecter</translation>
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
        <translation>METTRE À JOUR</translation>
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
        <translation>Le SNP300 ne répond pas à la requête.
Veuillez l&apos;éteindre pour le réinitialiser, puis le redémarrer.
La connexion va être fermée.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>Le chargeur d&apos;amorçage de l&apos;appareil doit être mis à jour</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Appareil prêt pour la mise à jour</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>Le chargeur d&apos;amorçage du SNP300 a été mis à jour.
Redémarrez le SNP300.
Redémarrez SnpUpgrader pour mettre à jour le micrologiciel.</translation>
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
        <translation>Vous êtes sur le point de lancer une mise à jour du micrologiciel de votre SNP300.
Micrologiciel de votre appareil : %1
Le serveur de micrologiciels n&apos;est pas disponible. Veuillez vérifier votre connexion Internet. La mise à jour est annulée.</translation>
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
        <translation>Vous êtes sur le point de mettre à jour le chargeur d&apos;amorçage de votre SNP300.
Version actuelle : %1
Version disponible : %2
Cette opération peut endommager l&apos;appareil si elle n&apos;est pas effectuée dans des conditions appropriées :
	- Assurez-vous que votre appareil ne se mettra pas en veille et ne se verrouillera pas pendant les 3 min de la mise à jour
	- Assurez-vous que le SNP300 est branché sur une alimentation pendant toute la durée de la mise à jour
	- N&apos;essayez pas d&apos;exécuter d&apos;autres programmes pendant la mise à jour.
	- Éteignez tous les autres appareils à proximité qui pourraient se connecter au SNP300
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
        <translation>Vous êtes sur le point de mettre à jour le micrologiciel de votre SNP300.
Version actuelle : %1
Version disponible : %2
Cette opération peut endommager l&apos;appareil si elle n&apos;est pas effectuée dans des conditions appropriées :
	- Assurez-vous que votre appareil ne se mettra pas en veille et ne se verrouillera pas pendant les 3 min de la mise à jour
	- Assurez-vous que le SNP300 est branché sur une alimentation pendant toute la durée de la mise à jour
	- N&apos;essayez pas d&apos;exécuter d&apos;autres programmes pendant la mise à jour.
	- Éteignez tous les autres appareils à proximité qui pourraient se connecter au SNP300
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>Les pages des modes de connexion au SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>Une mise à niveau du SNP300 est en cours. Fermer maintenant laisse l&apos;appareil sans micrologiciel fonctionnel jusqu&apos;à une nouvelle mise à niveau. Fermer quand même ?</translation>
    </message>
</context>
</TS>
