<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
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
        <translation>Puerto serie:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Puerto serie</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>El puerto serie al que está conectado el SNP300.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Detectar puertos</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Busca los puertos serie del equipo y vuelve a rellenar la lista de puertos.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Abre la conexión con el SNP300 en el puerto serie elegido, o cierra la conexión abierta.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>Actualizar SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Pide al servidor de firmware una imagen más reciente, le pide que confirme y después la programa en el SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Progreso de la actualización</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>Cuánto de la imagen se ha programado ya en el SNP300.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Registro de la actualización</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Mensajes sobre la conexión y la actualización, el más reciente al final.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>BUSCAR</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Desconectar</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>reconectar</translation>
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
        <translation>VERSIÓN</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>ACTUALIZAR</translation>
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
        <translation>El SNP300 no responde a la solicitud.
Apáguelo para restablecerlo y vuelva a iniciarlo.
Se cerrará la conexión.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>Es necesario actualizar el gestor de arranque del dispositivo</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Dispositivo listo para iniciar la actualización</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>Se ha actualizado el gestor de arranque del SNP300.
Reinicie el SNP300.
Reinicie SnpUpgrader para actualizar el firmware.</translation>
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
        <translation>Está a punto de iniciar una actualización del firmware de su SNP300.
Firmware de su dispositivo: %1
El servidor de firmware no está disponible. Compruebe su conexión a Internet. Se cancela la actualización.</translation>
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
        <translation>Está a punto de actualizar el gestor de arranque de su SNP300.
Versión actual: %1
Versión disponible: %2
Esta operación puede dañar el dispositivo si no se realiza en las condiciones adecuadas:
	- Asegúrese de que su dispositivo no entre en suspensión ni se bloquee durante los 3 min de la actualización
	- Asegúrese de que el SNP300 esté conectado a una fuente de alimentación durante toda la actualización
	- No intente ejecutar otros programas durante la actualización.
	- Apague cualquier otro dispositivo cercano que pueda conectarse al SNP300
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
        <translation>Está a punto de actualizar el firmware de su SNP300.
Versión actual: %1
Versión disponible: %2
Esta operación puede dañar el dispositivo si no se realiza en las condiciones adecuadas:
	- Asegúrese de que su dispositivo no entre en suspensión ni se bloquee durante los 3 min de la actualización
	- Asegúrese de que el SNP300 esté conectado a una fuente de alimentación durante toda la actualización
	- No intente ejecutar otros programas durante la actualización.
	- Apague cualquier otro dispositivo cercano que pueda conectarse al SNP300
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexión</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>Las páginas de los modos de conexión con el SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>Se está actualizando el SNP300. Si cierra ahora, el dispositivo quedará sin firmware operativo hasta que se actualice de nuevo. ¿Cerrar de todos modos?</translation>
    </message>
</context>
</TS>
