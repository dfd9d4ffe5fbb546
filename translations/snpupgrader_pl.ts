<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl" sourcelanguage="en">
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
        <translation>Port szeregowy:</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Port szeregowy</translation>
    </message>
    <message>
        <source>The serial port that the SNP300 is connected to.</source>
        <translation>Port szeregowy, do którego podłączone jest urządzenie SNP300.</translation>
    </message>
    <message>
        <source>Detect Ports</source>
        <translation>Wykryj porty</translation>
    </message>
    <message>
        <source>Searches the computer for serial ports and fills the port list again.</source>
        <translation>Wyszukuje porty szeregowe komputera i ponownie wypełnia listę portów.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Połącz</translation>
    </message>
    <message>
        <source>Opens the link to the SNP300 on the chosen serial port, or closes the open link.</source>
        <translation>Otwiera połączenie z SNP300 przez wybrany port szeregowy lub zamyka otwarte połączenie.</translation>
    </message>
    <message>
        <source>Upgrade SNP300...</source>
        <translation>Aktualizuj SNP300...</translation>
    </message>
    <message>
        <source>Asks the firmware server for a newer image, asks you to confirm, then programs it into the SNP300.</source>
        <translation>Pyta serwer oprogramowania układowego o nowszy obraz, prosi o potwierdzenie, a następnie programuje go w SNP300.</translation>
    </message>
    <message>
        <source>Upgrade progress</source>
        <translation>Postęp aktualizacji</translation>
    </message>
    <message>
        <source>How much of the image has been programmed into the SNP300.</source>
        <translation>Jaka część obrazu została już zaprogramowana w SNP300.</translation>
    </message>
    <message>
        <source>Upgrade log</source>
        <translation>Dziennik aktualizacji</translation>
    </message>
    <message>
        <source>Messages about the link and the upgrade, the newest at the end.</source>
        <translation>Komunikaty o połączeniu i aktualizacji, najnowszy na końcu.</translation>
    </message>
    <message>
        <source>BLE</source>
        <translation>BLE</translation>
    </message>
    <message>
        <source>SCAN</source>
        <translation>SKANUJ</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Rozłącz</translation>
    </message>
    <message>
        <source>reconnect</source>
        <translation>połącz ponownie</translation>
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
        <translation>WERSJA</translation>
    </message>
    <message>
        <source>UPGRADE</source>
        <translation>AKTUALIZUJ</translation>
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
        <translation>SNP300 nie odpowiada na żądanie.
Wyłącz je, aby je zresetować, i uruchom ponownie.
Połączenie zostanie zamknięte.</translation>
    </message>
    <message>
        <source>Device bootloader needs to be updated</source>
        <translation>Bootloader urządzenia wymaga aktualizacji</translation>
    </message>
    <message>
        <source>Device ready to start update</source>
        <translation>Urządzenie gotowe do rozpoczęcia aktualizacji</translation>
    </message>
    <message>
        <source>The SNP300 Bootloader has been updated
Restart SNP300.
Restart SnpUpgrader to upgrade the firmware.</source>
        <translation>Bootloader SNP300 został zaktualizowany.
Uruchom ponownie SNP300.
Uruchom ponownie SnpUpgrader, aby zaktualizować oprogramowanie układowe.</translation>
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
        <translation>Za chwilę uruchomisz aktualizację oprogramowania układowego urządzenia SNP300.
Oprogramowanie układowe urządzenia: %1
Serwer oprogramowania układowego jest niedostępny. Sprawdź połączenie z Internetem. Aktualizacja została anulowana.</translation>
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
        <translation>Za chwilę rozpoczniesz aktualizację bootloadera urządzenia SNP300.
Bieżąca wersja: %1
Dostępna wersja: %2
Ta operacja może uszkodzić urządzenie, jeśli nie zostanie wykonana w odpowiednich warunkach:
	- Upewnij się, że urządzenie nie przejdzie w stan uśpienia ani się nie zablokuje podczas 3-minutowej aktualizacji
	- Upewnij się, że SNP300 jest podłączone do zasilania przez cały czas trwania aktualizacji
	- Nie uruchamiaj innych programów podczas aktualizacji.
	- Wyłącz wszystkie inne pobliskie urządzenia, które mogłyby połączyć się z SNP300
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
        <translation>Za chwilę rozpoczniesz aktualizację oprogramowania układowego urządzenia SNP300.
Bieżąca wersja: %1
Dostępna wersja: %2
Ta operacja może uszkodzić urządzenie, jeśli nie zostanie wykonana w odpowiednich warunkach:
	- Upewnij się, że urządzenie nie przejdzie w stan uśpienia ani się nie zablokuje podczas 3-minutowej aktualizacji
	- Upewnij się, że SNP300 jest podłączone do zasilania przez cały czas trwania aktualizacji
	- Nie uruchamiaj innych programów podczas aktualizacji.
	- Wyłącz wszystkie inne pobliskie urządzenia, które mogłyby połączyć się z SNP300
</translation>
    </message>
    <message>
        <source>test_*.%1</source>
        <extracomment>The names of local test images; %1 is the file extension. Keep it exactly as it is.</extracomment>
        <translation>test_*.%1</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Połączenie</translation>
    </message>
    <message>
        <source>The pages of the ways to reach the SNP300.</source>
        <translation>Strony sposobów łączenia z SNP300.</translation>
    </message>
    <message>
        <source>An upgrade of the SNP300 is running. Closing now leaves the device without working firmware until it is upgraded again. Close anyway?</source>
        <translation>Trwa aktualizacja SNP300. Zamknięcie teraz pozostawi urządzenie bez działającego oprogramowania układowego do czasu ponownej aktualizacji. Zamknąć mimo to?</translation>
    </message>
</context>
</TS>
