<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
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
        <translation>Porta serial:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Porta serial</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>A porta serial à qual o SNP300 está conectado.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Detectar portas</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Procura as portas seriais do computador e preenche novamente a lista de portas.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Conectar</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Abre a conexão com o SNP300 na porta serial escolhida, ou fecha a conexão aberta.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>Atualizar SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Pede ao servidor de firmware uma imagem mais recente, pede a sua confirmação e depois a grava no SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Progresso da atualização</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>Quanto da imagem já foi gravado no SNP300.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Registro da atualização</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Mensagens sobre a conexão e a atualização, a mais recente no final.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>PROCURAR</translation>
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
        <translation>VERSÃO</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>ATUALIZAR</translation>
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
        <translation>O SNP300 não está respondendo à solicitação.
Desligue-o para reiniciá-lo e ligue-o novamente.
A conexão será fechada.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>O bootloader do dispositivo precisa ser atualizado</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Dispositivo pronto para iniciar a atualização</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>O bootloader do SNP300 foi atualizado.
Reinicie o SNP300.
Reinicie o SnpUpgrader para atualizar o firmware.</translation>
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
        <translation>Você está prestes a iniciar uma atualização do firmware do seu SNP300.
Firmware do seu dispositivo: %1
O servidor de firmware não está disponível. Verifique a sua conexão com a Internet. A atualização foi cancelada.</translation>
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
        <translation>Você está prestes a atualizar o bootloader do seu SNP300.
Versão atual: %1
Versão disponível: %2
Esta operação pode danificar o dispositivo se não for feita em condições adequadas:
	- Certifique-se de que o seu dispositivo não entre em suspensão nem seja bloqueado durante os 3 min da atualização
	- Certifique-se de que o SNP300 esteja ligado a uma fonte de alimentação durante toda a atualização
	- Não tente executar outros programas durante a atualização.
	- Desligue quaisquer outros dispositivos próximos que possam se conectar ao SNP300
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
        <translation>Você está prestes a atualizar o firmware do seu SNP300.
Versão atual: %1
Versão disponível: %2
Esta operação pode danificar o dispositivo se não for feita em condições adequadas:
	- Certifique-se de que o seu dispositivo não entre em suspensão nem seja bloqueado durante os 3 min da atualização
	- Certifique-se de que o SNP300 esteja ligado a uma fonte de alimentação durante toda a atualização
	- Não tente executar outros programas durante a atualização.
	- Desligue quaisquer outros dispositivos próximos que possam se conectar ao SNP300
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Conexão</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>As páginas das formas de conexão com o SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>Uma atualização do SNP300 está em andamento. Fechar agora deixa o dispositivo sem firmware funcional até que seja atualizado novamente. Fechar mesmo assim?</translation>
    </message>
</context>
</TS>
