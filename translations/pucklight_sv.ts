<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>CommonDialogs</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>no sound file</source>
        <translation>ingen ljudfil</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>redo</translation>
    </message>
    <message>
        <source>playing</source>
        <translation>spelar</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fel: %1</translation>
    </message>
    <message>
        <source>buzzer %1; horn %2</source>
        <translation>summer %1; signalhorn %2</translation>
    </message>
    <message>
        <source>writing to %1</source>
        <translation>skriver till %1</translation>
    </message>
    <message>
        <source>not written: another board writes to %1</source>
        <translation>skrivs inte: en annan tavla skriver till %1</translation>
    </message>
    <message>
        <source>cannot serve on %1 port %2</source>
        <translation>kan inte tjäna på %1 port %2</translation>
    </message>
    <message numerus="yes">
        <source>%1, %n viewer(s)</source>
        <translation>
            <numerusform>%1, %n tittare</numerusform>
            <numerusform>%1, %n tittare</numerusform>
        </translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>ansluter till %1</translation>
    </message>
    <message>
        <source>publishing to %1 as %2/</source>
        <translation>publicerar till %1 som %2/</translation>
    </message>
    <message>
        <source>cannot reach %1 (%2); trying again</source>
        <translation>når inte %1 (%2); försöker igen</translation>
    </message>
    <message>
        <source>every command refused: %1</source>
        <translation>alla kommandon nekas: %1</translation>
    </message>
    <message>
        <source>on; the control page for a phone is %1/control, with the token in the code</source>
        <translation>på; styrsidan för en telefon är %1/control, med nyckeln i koden</translation>
    </message>
    <message>
        <source>cannot use %1</source>
        <translation>kan inte använda %1</translation>
    </message>
</context>
<context>
    <name>ConsoleStatus</name>
    <message>
        <source>Sound</source>
        <translation>Ljud</translation>
    </message>
    <message>
        <source>Feed</source>
        <translation>Flöde</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Remote control</source>
        <translation>Fjärrstyrning</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Game file</source>
        <translation>Matchfil</translation>
    </message>
</context>
<context>
    <name>Design</name>
    <message>
        <source>Home</source>
        <translation>Hemma</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Borta</translation>
    </message>
    <message>
        <source>GOAL</source>
        <translation>MÅL</translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation>Utv.</translation>
    </message>
    <message>
        <source>SHOTS ON GOAL</source>
        <translation>SKOTT PÅ MÅL</translation>
    </message>
    <message>
        <source>PERIOD</source>
        <translation>PERIOD</translation>
    </message>
    <message>
        <source>Player Penalty</source>
        <translation>Utvisningar</translation>
    </message>
    <message>
        <source>Keyboard Controls</source>
        <translation>Tangenter</translation>
    </message>
    <message>
        <source>Color Controls</source>
        <translation>Färger</translation>
    </message>
    <message>
        <source>Text Controls</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Start / Stop Penalty Clock</source>
        <translation>Start / stopp utvisning</translation>
    </message>
    <message>
        <source>Start / Stop  Clock</source>
        <translation>Start / stopp klocka</translation>
    </message>
    <message>
        <source>Reset Clock</source>
        <translation>Återställ klockan</translation>
    </message>
    <message>
        <source>Horn</source>
        <translation>Signalhorn</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Game / Clock Switch</source>
        <translation>Växla speltid / klocka</translation>
    </message>
    <message>
        <source># Clear Key</source>
        <translation>Radera ett tal</translation>
    </message>
    <message>
        <source>Numlock Options:</source>
        <translation>NumLock:</translation>
    </message>
    <message>
        <source>Normal Mode</source>
        <translation>Normalt läge</translation>
    </message>
    <message>
        <source>Keep Numlock On</source>
        <translation>Håll NumLock på</translation>
    </message>
    <message>
        <source>Keep Numlock Off</source>
        <translation>Håll NumLock av</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Återställ tangenter</translation>
    </message>
    <message>
        <source>Buzzer File:</source>
        <translation>Summerljud:</translation>
    </message>
    <message>
        <source>Change Buzzer Sound</source>
        <translation>Byt summerljud</translation>
    </message>
    <message>
        <source>Horn Sound:</source>
        <translation>Hornljud:</translation>
    </message>
    <message>
        <source>Change Horn Sound</source>
        <translation>Byt hornljud</translation>
    </message>
    <message>
        <source>Time Color:</source>
        <translation>Tidsfärg:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Ändra</translation>
    </message>
    <message>
        <source>Score Color:</source>
        <translation>Resultatfärg:</translation>
    </message>
    <message>
        <source>Border Color:</source>
        <translation>Ramfärg:</translation>
    </message>
    <message>
        <source>Back Color:</source>
        <translation>Bakgrundsfärg:</translation>
    </message>
    <message>
        <source>Period Color:</source>
        <translation>Periodfärg:</translation>
    </message>
    <message>
        <source>Home Color:</source>
        <translation>Hemmafärg:</translation>
    </message>
    <message>
        <source>LED Background:</source>
        <translation>LED-bakgrund:</translation>
    </message>
    <message>
        <source>LED Selected</source>
        <translation>Markerad LED</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Bredd:</translation>
    </message>
    <message>
        <source>Visitor Color:</source>
        <translation>Bortafärg:</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Återställ färger</translation>
    </message>
    <message>
        <source>Home Name:</source>
        <translation>Hemmalagets namn:</translation>
    </message>
    <message>
        <source>Visitor Name:</source>
        <translation>Bortalagets namn:</translation>
    </message>
    <message>
        <source>Home Picture</source>
        <translation>Hemmalagets bild</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Rensa</translation>
    </message>
    <message>
        <source>Visitor Picture</source>
        <translation>Bortalagets bild</translation>
    </message>
    <message>
        <source>Scoreboard Picture</source>
        <translation>Tavlans bild</translation>
    </message>
    <message>
        <source>Digit Type:</source>
        <translation>Siffertyp:</translation>
    </message>
    <message>
        <source>Lines|Dots</source>
        <extracomment>The list&apos;s entries, separated by &quot;|&quot;.</extracomment>
        <translation>Linjer|Punkter</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Exempel:</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Avbryt</translation>
    </message>
    <message>
        <source>This is not a valid key, please choose another or close this window to return.</source>
        <translation>Ogiltig tangent. Välj en annan eller stäng fönstret för att gå tillbaka.</translation>
    </message>
    <message>
        <source>by Velmaro</source>
        <translation>av Velmaro</translation>
    </message>
    <message>
        <source>Click to continue.</source>
        <translation>Klicka för att börja.</translation>
    </message>
    <message>
        <source>Press &apos; F1 &apos; to view Help from the scoreboard.</source>
        <translation>Tryck &apos; F1 &apos; på tavlan för hjälp.</translation>
    </message>
    <message>
        <source>Press &apos; F2 &apos; to set Options from the scoreboard.</source>
        <translation>Tryck &apos; F2 &apos; på tavlan för alternativ.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Alternativ</translation>
    </message>
    <message>
        <source>Board Caption:</source>
        <translation>Tavlans rubrik:</translation>
    </message>
    <message>
        <source>Open the operator console with the board</source>
        <translation>Öppna operatörskonsolen med tavlan</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Fjärr</translation>
    </message>
    <message>
        <source>Allow remote control</source>
        <translation>Tillåt fjärrstyrning</translation>
    </message>
    <message>
        <source>Regular periods:</source>
        <translation>Ordinarie perioder:</translation>
    </message>
    <message>
        <source>The periods after these are overtime (OT).</source>
        <translation>Perioderna efter dessa är förlängning (OT).</translation>
    </message>
    <message>
        <source>Board name:</source>
        <translation>Tavlans namn:</translation>
    </message>
    <message>
        <source>Letters, digits and &apos;-&apos; only; MQTT topics begin pucklight/&lt;name&gt;.</source>
        <translation>Endast bokstäver, siffror och ”-”; MQTT-ämnen börjar med pucklight/&lt;namn&gt;.</translation>
    </message>
    <message>
        <source>Remote token:</source>
        <translation>Fjärrnyckel:</translation>
    </message>
    <message>
        <source>New token</source>
        <translation>Ny nyckel</translation>
    </message>
    <message>
        <source>MQTT</source>
        <translation>MQTT</translation>
    </message>
    <message>
        <source>Publish the game to an MQTT broker, for screens and displays elsewhere. No broker when empty.</source>
        <translation>Publicera matchen till en MQTT-broker, för skärmar och tavlor på andra ställen. Tomt: ingen broker.</translation>
    </message>
    <message>
        <source>Broker:</source>
        <translation>Broker:</translation>
    </message>
    <message>
        <source>mqtt://HOST[:PORT], or mqtts://HOST[:PORT] over TLS</source>
        <translation>mqtt://VÄRD[:PORT], eller mqtts://VÄRD[:PORT] över TLS</translation>
    </message>
    <message>
        <source>Topic prefix:</source>
        <translation>Ämnesprefix:</translation>
    </message>
    <message>
        <source>Empty: pucklight/&lt;board name&gt;, the name on the Remote page</source>
        <translation>Tomt: pucklight/&lt;tavlans namn&gt;, namnet på sidan Fjärr</translation>
    </message>
    <message>
        <source>Credentials file:</source>
        <translation>Inloggningsfil:</translation>
    </message>
    <message>
        <source>One line user:password, readable by you alone. Empty: none</source>
        <translation>En rad användare:lösenord, läsbar bara för dig. Tomt: ingen</translation>
    </message>
    <message>
        <source>CA file (mqtts):</source>
        <translation>CA-fil (mqtts):</translation>
    </message>
    <message>
        <source>Empty: the system&apos;s certificate authorities</source>
        <translation>Tomt: systemets certifikatutfärdare</translation>
    </message>
    <message>
        <source>Take commands with the remote token on PREFIX/command</source>
        <translation>Ta emot kommandon med fjärrtoken på PREFIX/command</translation>
    </message>
</context>
<context>
    <name>Entry</name>
    <message>
        <source>Enter sets %1 to %2</source>
        <translation>Retur sätter %1 till %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %2 is no game time (0:00 to 99:59)</source>
        <translation>Retur ändrar inget: %2 är ingen speltid (0:00 till 99:59)</translation>
    </message>
    <message>
        <source>Type a number for %1</source>
        <translation>Skriv ett tal för %1</translation>
    </message>
    <message>
        <source>The next digit adds to %1; Enter sets it to %2</source>
        <translation>Nästa siffra läggs till %1; Retur sätter det till %2</translation>
    </message>
    <message>
        <source>The next digit takes from %1; Enter sets it to %2</source>
        <translation>Nästa siffra dras från %1; Retur sätter det till %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %1 is %3 to %4, not %2</source>
        <translation>Retur ändrar inget: %1 är %3 till %4, inte %2</translation>
    </message>
    <message>
        <source>Enter sets %1 to player %2</source>
        <translation>Retur sätter %1 till spelare %2</translation>
    </message>
    <message>
        <source>Type a player for %1</source>
        <translation>Skriv en spelare för %1</translation>
    </message>
    <message>
        <source>The next digit adds to the player of %1; Enter sets it to %2</source>
        <translation>Nästa siffra läggs till spelaren i %1; Retur sätter den till %2</translation>
    </message>
    <message>
        <source>The next digit takes from the player of %1; Enter sets it to %2</source>
        <translation>Nästa siffra dras från spelaren i %1; Retur sätter den till %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: a player is %3 to %4, not %2</source>
        <translation>Retur ändrar inget: en spelare är %3 till %4, inte %2</translation>
    </message>
    <message>
        <source>Enter sets the time of %1 to %2</source>
        <translation>Retur sätter tiden för %1 till %2</translation>
    </message>
    <message>
        <source>Enter sets nothing: %2 is no penalty time (0:00 to 9:59)</source>
        <translation>Retur ändrar inget: %2 är ingen utvisningstid (0:00 till 9:59)</translation>
    </message>
    <message>
        <source>Left lights the home goal lamp, Right the visitor&apos;s, Down puts it out</source>
        <translation>Vänster tänder hemmalagets mållampa, Höger bortalagets, Ned släcker den</translation>
    </message>
    <message>
        <source>Enter %5</source>
        <translation>Retur %5</translation>
    </message>
    <message>
        <source>the game clock</source>
        <translation>matchklockan</translation>
    </message>
    <message>
        <source>the home score</source>
        <translation>hemmalagets mål</translation>
    </message>
    <message>
        <source>the visitor score</source>
        <translation>bortalagets mål</translation>
    </message>
    <message>
        <source>the goal lamps</source>
        <translation>mållamporna</translation>
    </message>
    <message>
        <source>the home shots</source>
        <translation>hemmalagets skott</translation>
    </message>
    <message>
        <source>the period</source>
        <translation>perioden</translation>
    </message>
    <message>
        <source>the visitor shots</source>
        <translation>bortalagets skott</translation>
    </message>
    <message>
        <source>home penalty 1</source>
        <translation>hemmautvisning 1</translation>
    </message>
    <message>
        <source>visitor penalty 1</source>
        <translation>bortautvisning 1</translation>
    </message>
    <message>
        <source>home penalty 2</source>
        <translation>hemmautvisning 2</translation>
    </message>
    <message>
        <source>visitor penalty 2</source>
        <translation>bortautvisning 2</translation>
    </message>
    <message>
        <source>starts or stops the clocks</source>
        <translation>startar eller stoppar klockorna</translation>
    </message>
    <message>
        <source>starts or stops the game clock alone</source>
        <translation>startar eller stoppar matchklockan ensam</translation>
    </message>
    <message>
        <source>resets the game clock</source>
        <translation>återställer matchklockan</translation>
    </message>
    <message>
        <source>switches the clock between the game time and the time of day</source>
        <translation>växlar klockan mellan speltid och klockslag</translation>
    </message>
    <message>
        <source>clears the selected penalty</source>
        <translation>rensar den valda utvisningen</translation>
    </message>
    <message>
        <source>starts or stops the selected penalty&apos;s clock</source>
        <translation>startar eller stoppar den valda utvisningens klocka</translation>
    </message>
    <message>
        <source>sounds the horn</source>
        <translation>låter signalhornet ljuda</translation>
    </message>
    <message>
        <source>sounds the buzzer</source>
        <translation>låter summern ljuda</translation>
    </message>
    <message>
        <source>takes back the last change</source>
        <translation>tar tillbaka den senaste ändringen</translation>
    </message>
    <message>
        <source>does again what was taken back</source>
        <translation>gör om det som togs tillbaka</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>släckt</translation>
    </message>
    <message>
        <source>The clear key</source>
        <translation>Raderingstangenten</translation>
    </message>
    <message>
        <source>%1 clears %2</source>
        <translation>%1 rensar %2</translation>
    </message>
    <message>
        <source>%1 blanks %2</source>
        <translation>%1 släcker %2</translation>
    </message>
    <message>
        <source>%1; Enter also %2</source>
        <translation>%1; Retur %2 också</translation>
    </message>
</context>
<context>
    <name>Events</name>
    <message>
        <source>no player</source>
        <translation>ingen spelare</translation>
    </message>
    <message>
        <source>player %1</source>
        <translation>spelare %1</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1:a</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1:a</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1:e</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1:e</translation>
    </message>
    <message>
        <source>clocks started</source>
        <translation>klockorna startade</translation>
    </message>
    <message>
        <source>clocks stopped</source>
        <translation>klockorna stoppade</translation>
    </message>
    <message>
        <source>game clock started alone</source>
        <translation>matchklockan startad ensam</translation>
    </message>
    <message>
        <source>game clock stopped alone</source>
        <translation>matchklockan stoppad ensam</translation>
    </message>
    <message>
        <source>home penalty %1 clock started</source>
        <translation>hemmautvisning %1: klockan startad</translation>
    </message>
    <message>
        <source>visitor penalty %1 clock started</source>
        <translation>bortautvisning %1: klockan startad</translation>
    </message>
    <message>
        <source>home penalty %1 clock stopped</source>
        <translation>hemmautvisning %1: klockan stoppad</translation>
    </message>
    <message>
        <source>visitor penalty %1 clock stopped</source>
        <translation>bortautvisning %1: klockan stoppad</translation>
    </message>
    <message>
        <source>%1 period</source>
        <translation>%1 perioden</translation>
    </message>
    <message>
        <source>home goal</source>
        <translation>hemmamål</translation>
    </message>
    <message>
        <source>visitor goal</source>
        <translation>bortamål</translation>
    </message>
    <message>
        <source>home score set to %1</source>
        <translation>hemmalagets mål satta till %1</translation>
    </message>
    <message>
        <source>visitor score set to %1</source>
        <translation>bortalagets mål satta till %1</translation>
    </message>
    <message>
        <source>dark</source>
        <translation>släckt</translation>
    </message>
    <message>
        <source>home shots set to %1</source>
        <translation>hemmalagets skott satta till %1</translation>
    </message>
    <message>
        <source>visitor shots set to %1</source>
        <translation>bortalagets skott satta till %1</translation>
    </message>
    <message>
        <source>period set to %1</source>
        <translation>period satt till %1</translation>
    </message>
    <message>
        <source>home penalty %1: %2, %3</source>
        <translation>hemmautvisning %1: %2, %3</translation>
    </message>
    <message>
        <source>visitor penalty %1: %2, %3</source>
        <translation>bortautvisning %1: %2, %3</translation>
    </message>
    <message>
        <source>no time</source>
        <translation>ingen tid</translation>
    </message>
    <message>
        <source>home penalty %1 cleared</source>
        <translation>hemmautvisning %1 rensad</translation>
    </message>
    <message>
        <source>visitor penalty %1 cleared</source>
        <translation>bortautvisning %1 rensad</translation>
    </message>
    <message>
        <source>home penalty %1 over (%2)</source>
        <translation>hemmautvisning %1 slut (%2)</translation>
    </message>
    <message>
        <source>visitor penalty %1 over (%2)</source>
        <translation>bortautvisning %1 slut (%2)</translation>
    </message>
    <message>
        <source>home penalty waiting: %1, %2</source>
        <translation>väntande hemmautvisning: %1, %2</translation>
    </message>
    <message>
        <source>visitor penalty waiting: %1, %2</source>
        <translation>väntande bortautvisning: %1, %2</translation>
    </message>
    <message>
        <source>home waiting penalty removed: %1, %2</source>
        <translation>väntande hemmautvisning borttagen: %1, %2</translation>
    </message>
    <message>
        <source>visitor waiting penalty removed: %1, %2</source>
        <translation>väntande bortautvisning borttagen: %1, %2</translation>
    </message>
    <message>
        <source>home waiting penalty to slot %1: %2, %3</source>
        <translation>väntande hemmautvisning till plats %1: %2, %3</translation>
    </message>
    <message>
        <source>visitor waiting penalty to slot %1: %2, %3</source>
        <translation>väntande bortautvisning till plats %1: %2, %3</translation>
    </message>
    <message>
        <source>game clock set to %1</source>
        <translation>matchklockan satt till %1</translation>
    </message>
    <message>
        <source>game clock reset to %1</source>
        <translation>matchklockan återställd till %1</translation>
    </message>
    <message>
        <source>clock shows the time of day</source>
        <translation>klockan visar klockslaget</translation>
    </message>
    <message>
        <source>clock shows the game time</source>
        <translation>klockan visar speltiden</translation>
    </message>
    <message>
        <source>goal lamp out</source>
        <translation>mållampan släckt</translation>
    </message>
    <message>
        <source>home goal lamp lit</source>
        <translation>hemmalagets mållampa tänd</translation>
    </message>
    <message>
        <source>visitor goal lamp lit</source>
        <translation>bortalagets mållampa tänd</translation>
    </message>
    <message>
        <source>horn</source>
        <translation>signalhorn</translation>
    </message>
    <message>
        <source>buzzer</source>
        <translation>summer</translation>
    </message>
    <message>
        <source>undo: %1</source>
        <translation>ångrat: %1</translation>
    </message>
    <message>
        <source>redo: %1</source>
        <translation>gjort om: %1</translation>
    </message>
    <message>
        <source>refused: %1</source>
        <translation>avvisat: %1</translation>
    </message>
    <message>
        <source>%1 at %2, %3</source>
        <translation>%1 vid %2, %3</translation>
    </message>
    <message>
        <source>period %1</source>
        <translation>period %1</translation>
    </message>
</context>
<context>
    <name>GameSaving</name>
    <message>
        <source>Saved today at %1.</source>
        <translation>Sparad i dag kl. %1.</translation>
    </message>
    <message>
        <source>Saved on %1 at %2.</source>
        <translation>Sparad %1 kl. %2.</translation>
    </message>
    <message>
        <source>Resume game</source>
        <translation>Återuppta matchen</translation>
    </message>
    <message>
        <source>Resume the last game?</source>
        <translation>Återuppta den senaste matchen?</translation>
    </message>
    <message>
        <source>&amp;Resume</source>
        <translation>&amp;Återuppta</translation>
    </message>
    <message>
        <source>&amp;New game</source>
        <translation>&amp;Ny match</translation>
    </message>
    <message>
        <source>Another board is running</source>
        <translation>En annan tavla är igång</translation>
    </message>
    <message>
        <source>Another Pucklight board is running on this computer and saves its game. This board does not save its game.</source>
        <translation>En annan Pucklight-tavla är igång på den här datorn och sparar sin match. Den här tavlan sparar inte sin match.</translation>
    </message>
    <message>
        <source>Its game is kept in %1.</source>
        <translation>Dess match sparas i %1.</translation>
    </message>
    <message>
        <source>not saved: another board keeps its game in %1</source>
        <translation>sparas inte: en annan tavla håller sin match i %1</translation>
    </message>
    <message>
        <source>saved in %1</source>
        <translation>sparas i %1</translation>
    </message>
</context>
<context>
    <name>KeyNames</name>
    <message>
        <source>Backspace</source>
        <translation>Backsteg</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Retur</translation>
    </message>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
    </message>
    <message>
        <source>Pause/Break</source>
        <translation>Pause/Break</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page Up</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page Down</translation>
    </message>
    <message>
        <source>End</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Numpad *</source>
        <translation>Num *</translation>
    </message>
    <message>
        <source>Numpad /</source>
        <translation>Num /</translation>
    </message>
</context>
<context>
    <name>MiniBoard</name>
    <message>
        <source>Board</source>
        <translation>Tavla</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>This broker cannot be used: %1</source>
        <translation>Denna broker kan inte användas: %1</translation>
    </message>
</context>
<context>
    <name>Overlay</name>
    <message>
        <source>1st</source>
        <translation>1:a</translation>
    </message>
    <message>
        <source>2nd</source>
        <translation>2:a</translation>
    </message>
    <message>
        <source>3rd</source>
        <translation>3:e</translation>
    </message>
    <message>
        <source>%1th</source>
        <extracomment>A period from the fourth on: &quot;4th&quot;, &quot;5th&quot;...</extracomment>
        <translation>%1:e</translation>
    </message>
    <message>
        <source>Intermission</source>
        <translation>Periodpaus</translation>
    </message>
    <message>
        <source>Final</source>
        <translation>Slut</translation>
    </message>
    <message>
        <source>OT</source>
        <extracomment>Overtime, the first period after the regular ones.</extracomment>
        <translation>Förl.</translation>
    </message>
    <message>
        <source>%1OT</source>
        <extracomment>The second, third... overtime: &quot;2OT&quot;.</extracomment>
        <translation>Förl. %1</translation>
    </message>
    <message>
        <source>en</source>
        <comment>The code of this language, as a web page names it</comment>
        <translation>sv</translation>
    </message>
    <message>
        <source>Shots</source>
        <comment>Shots on goal, before their number</comment>
        <translation>Skott</translation>
    </message>
    <message>
        <source>PP</source>
        <comment>Power play, before the time it has left</comment>
        <translation>PP</translation>
    </message>
    <message>
        <source>%1 ON %2</source>
        <comment>The skaters of each team: 5 ON 3, the larger number first</comment>
        <translation>%1 MOT %2</translation>
    </message>
</context>
<context>
    <name>PenaltyPanel</name>
    <message>
        <source>no player</source>
        <translation>ingen spelare</translation>
    </message>
    <message>
        <source>#%1</source>
        <translation>nr %1</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Penalties</source>
        <translation>Utvisningar</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Klocka</translation>
    </message>
    <message>
        <source>Home 1</source>
        <translation>Hemma 1</translation>
    </message>
    <message>
        <source>Home 2</source>
        <translation>Hemma 2</translation>
    </message>
    <message>
        <source>Visitor 1</source>
        <translation>Borta 1</translation>
    </message>
    <message>
        <source>Visitor 2</source>
        <translation>Borta 2</translation>
    </message>
    <message>
        <source>%1: player</source>
        <translation>%1: spelare</translation>
    </message>
    <message>
        <source>m.ss</source>
        <translation>m.ss</translation>
    </message>
    <message>
        <source>%1: time</source>
        <translation>%1: tid</translation>
    </message>
    <message>
        <source>9:59 running</source>
        <translation>9:59 går</translation>
    </message>
    <message>
        <source>Start/stop</source>
        <translation>Start/stopp</translation>
    </message>
    <message>
        <source>%1: start or stop its clock</source>
        <translation>%1: starta eller stoppa dess klocka</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Rensa</translation>
    </message>
    <message>
        <source>%1: clear</source>
        <translation>%1: rensa</translation>
    </message>
    <message>
        <source>Home waiting</source>
        <translation>Hemma väntande</translation>
    </message>
    <message>
        <source>Visitor waiting</source>
        <translation>Borta väntande</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Lägg till</translation>
    </message>
    <message>
        <source>%1: add</source>
        <translation>%1: lägg till</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Ta bort</translation>
    </message>
    <message>
        <source>%1: remove the selected one</source>
        <translation>%1: ta bort den valda</translation>
    </message>
    <message>
        <source>over</source>
        <translation>slut</translation>
    </message>
    <message>
        <source>%1 running</source>
        <translation>%1 går</translation>
    </message>
    <message>
        <source>%1 held</source>
        <translation>%1 står</translation>
    </message>
    <message>
        <source>A penalty time is from 0.00 to 9.59 (minutes.seconds).</source>
        <translation>En utvisningstid är 0.00 till 9.59 (minuter.sekunder).</translation>
    </message>
    <message>
        <source>A waiting penalty&apos;s time is from 0.01 to 9.59 (minutes.seconds).</source>
        <translation>En väntande utvisnings tid är 0.01 till 9.59 (minuter.sekunder).</translation>
    </message>
    <message>
        <source>A team can have no more than %1 penalties waiting.</source>
        <translation>Ett lag kan inte ha fler än %1 väntande utvisningar.</translation>
    </message>
    <message>
        <source>Select the waiting penalty to remove.</source>
        <translation>Välj den väntande utvisning som ska tas bort.</translation>
    </message>
    <message>
        <source>Not done: %1</source>
        <translation>Inte gjort: %1</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Home</source>
        <translation>Hemma</translation>
    </message>
    <message>
        <source>Visitor</source>
        <translation>Borta</translation>
    </message>
</context>
<context>
    <name>frmChooseKey</name>
    <message>
        <source>Choose Key</source>
        <translation>Välj tangent</translation>
    </message>
    <message>
        <source>Press the key you would like to %1.</source>
        <extracomment>%1 is what the key does, as &quot;sound the horn&quot;.</extracomment>
        <translation>Tryck på tangenten som ska %1.</translation>
    </message>
</context>
<context>
    <name>frmConsole</name>
    <message>
        <source>key %1</source>
        <translation>tangent %1</translation>
    </message>
    <message>
        <source>Command keys</source>
        <translation>Kommandotangenter</translation>
    </message>
    <message>
        <source>clears the selected penalty, or blanks the selected score or shots</source>
        <translation>rensar den valda utvisningen, eller släcker de valda målen eller skotten</translation>
    </message>
    <message>
        <source>With Ctrl</source>
        <translation>Med Ctrl</translation>
    </message>
    <message>
        <source>Ctrl+H, Ctrl+V</source>
        <translation>Ctrl+H, Ctrl+V</translation>
    </message>
    <message>
        <source>a goal for home, for the visitor</source>
        <translation>ett mål för hemmalaget, för bortalaget</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>the next period</source>
        <translation>nästa period</translation>
    </message>
    <message>
        <source>Ctrl+%1</source>
        <translation>Ctrl+%1</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Ctrl+Y, Ctrl+Shift+Z</source>
        <translation>Ctrl+Y, Ctrl+Skift+Z</translation>
    </message>
    <message>
        <source>Typing on the selected field</source>
        <translation>Inmatning i det valda fältet</translation>
    </message>
    <message>
        <source>0 to 9, point</source>
        <translation>0 till 9, punkt</translation>
    </message>
    <message>
        <source>a number, or a time as minutes.seconds (1.30 is 1:30)</source>
        <translation>ett tal, eller en tid som minuter.sekunder (1.30 är 1:30)</translation>
    </message>
    <message>
        <source>+, -</source>
        <translation>+, -</translation>
    </message>
    <message>
        <source>then a digit: adds it to the number, or takes it away</source>
        <translation>sedan en siffra: lägger den till talet, eller drar den ifrån</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Retur</translation>
    </message>
    <message>
        <source>enters what is typed (the line above says what it will do)</source>
        <translation>matar in det skrivna (raden ovan säger vad det gör)</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Mellanslag</translation>
    </message>
    <message>
        <source>throws away what is typed</source>
        <translation>kastar det skrivna</translation>
    </message>
    <message>
        <source>F5, F6, F7</source>
        <translation>F5, F6, F7</translation>
    </message>
    <message>
        <source>on a penalty time: 2:00, 4:00, 5:00 at once</source>
        <translation>på en utvisningstid: 2:00, 4:00, 5:00 direkt</translation>
    </message>
    <message>
        <source>Left, Right, Down</source>
        <translation>Vänster, Höger, Ned</translation>
    </message>
    <message>
        <source>on the goal lamps: home, visitor, out</source>
        <translation>på mållamporna: hemma, borta, släckt</translation>
    </message>
    <message>
        <source>Console</source>
        <translation>Konsol</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation>Tab, Skift+Tab</translation>
    </message>
    <message>
        <source>selects the next field, the previous one</source>
        <translation>väljer nästa fält, det föregående</translation>
    </message>
    <message>
        <source>Escape</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>throws away what is typed; elsewhere, back to the board&apos;s keys</source>
        <translation>kastar det skrivna; på andra ställen, tillbaka till tavlans tangenter</translation>
    </message>
    <message>
        <source>Ctrl+Tab</source>
        <translation>Ctrl+Tab</translation>
    </message>
    <message>
        <source>on to the penalties, the record and the keys</source>
        <translation>vidare till utvisningarna, protokollet och tangenterna</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Klick</translation>
    </message>
    <message>
        <source>a field of the small board selects it</source>
        <translation>på ett fält i den lilla tavlan väljer det</translation>
    </message>
    <message>
        <source>Windows</source>
        <translation>Fönster</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>the manual (the console keeps the keys)</source>
        <translation>handboken (konsolen behåller tangenterna)</translation>
    </message>
    <message>
        <source>F2</source>
        <translation>F2</translation>
    </message>
    <message>
        <source>the options</source>
        <translation>alternativen</translation>
    </message>
    <message>
        <source>F3</source>
        <translation>F3</translation>
    </message>
    <message>
        <source>the waiting penalties</source>
        <translation>de väntande utvisningarna</translation>
    </message>
    <message>
        <source>F4</source>
        <translation>F4</translation>
    </message>
    <message>
        <source>closes the console; on the board, opens it</source>
        <translation>stänger konsolen; på tavlan, öppnar den</translation>
    </message>
    <message>
        <source>Pucklight Console</source>
        <translation>Pucklight-konsol</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Inmatning</translation>
    </message>
    <message>
        <source>Undo and redo</source>
        <translation>Ångra och gör om</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Game record</source>
        <translation>Matchprotokoll</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tangenter</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Klocka</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Händelse</translation>
    </message>
    <message>
        <source>Selected: %1</source>
        <translation>Valt: %1</translation>
    </message>
    <message>
        <source>typed: %1</source>
        <translation>skrivet: %1</translation>
    </message>
    <message>
        <source>Left typed on %1: %2 (%3). Escape throws it away.</source>
        <translation>Kvar skrivet i %1: %2 (%3). Esc kastar det.</translation>
    </message>
    <message>
        <source>Ctrl+Z takes back: %1</source>
        <translation>Ctrl+Z tar tillbaka: %1</translation>
    </message>
    <message>
        <source>Ctrl+Z: nothing to take back</source>
        <translation>Ctrl+Z: inget att ta tillbaka</translation>
    </message>
    <message>
        <source>Ctrl+Y does again: %1</source>
        <translation>Ctrl+Y gör om: %1</translation>
    </message>
    <message>
        <source>Ctrl+Y: nothing to do again</source>
        <translation>Ctrl+Y: inget att göra om</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Help file has been moved from its normal location.  Please reinstall the program.</source>
        <translation>Hjälpfilen har flyttats från sin vanliga plats.  Installera om programmet.</translation>
    </message>
    <message>
        <source>Pucklight Help</source>
        <translation>Hjälp för Pucklight</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Allow remote control (on for this run: --remote-control)</source>
        <translation>Tillåt fjärrstyrning (på för den här körningen: --remote-control)</translation>
    </message>
    <message>
        <source>This run publishes to %1, as --mqtt on the command line asks; what is set here applies when Pucklight starts without it.</source>
        <translation>Den här körningen publicerar till %1, som --mqtt på kommandoraden begär; det som ställs in här gäller när Pucklight startar utan den.</translation>
    </message>
    <message>
        <source>Sounds *.wav|*.wav</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Ljud *.wav|*.wav</translation>
    </message>
    <message>
        <source>Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</source>
        <extracomment>A file filter: a description, &quot;|&quot;, the patterns. Only the description is translated.</extracomment>
        <translation>Bilder (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png</translation>
    </message>
    <message>
        <source>start / stop the clock</source>
        <translation>starta / stoppa klockan</translation>
    </message>
    <message>
        <source>reset the clock</source>
        <translation>återställa klockan</translation>
    </message>
    <message>
        <source>clear a number</source>
        <translation>radera ett tal</translation>
    </message>
    <message>
        <source>switch between clock and game time</source>
        <translation>växla mellan klockslag och speltid</translation>
    </message>
    <message>
        <source>start / stop an independent penalty clock</source>
        <translation>starta / stoppa en enskild utvisning</translation>
    </message>
    <message>
        <source>sound the buzzer</source>
        <translation>låta summern ljuda</translation>
    </message>
    <message>
        <source>sound the horn</source>
        <translation>låta signalhornet ljuda</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Alternativ</translation>
    </message>
    <message>
        <source>[No File Selected]</source>
        <translation>[Ingen fil vald]</translation>
    </message>
    <message>
        <source>Reset Colors</source>
        <translation>Återställ färger</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the colors?</source>
        <translation>Vill du verkligen återställa färgerna?</translation>
    </message>
    <message>
        <source>Reset Keys</source>
        <translation>Återställ tangenter</translation>
    </message>
    <message>
        <source>Are you sure you want to reset the keys?</source>
        <translation>Vill du verkligen återställa tangenterna?</translation>
    </message>
    <message>
        <source>The control page for a phone needs the server: start Pucklight with --serve PORT.</source>
        <translation>Styrsidan för en telefon kräver servern: starta Pucklight med --serve PORT.</translation>
    </message>
    <message>
        <source>A phone that scans the code opens the control page with the token:
%1</source>
        <translation>En telefon som läser koden öppnar styrsidan med nyckeln:
%1</translation>
    </message>
    <message>
        <source>New token</source>
        <translation>Ny nyckel</translation>
    </message>
    <message>
        <source>The old token stops working: phones and buttons that use it must be given the new one. Make a new token?</source>
        <translation>Den gamla nyckeln slutar fungera: telefoner och knappar som använder den måste få den nya. Skapa en ny nyckel?</translation>
    </message>
</context>
<context>
    <name>frmScoreBoard</name>
    <message>
        <source>Close scoreboard</source>
        <translation>Stäng resultattavlan</translation>
    </message>
    <message>
        <source>A clock is running. Close the scoreboard?</source>
        <translation>En klocka går. Stänga resultattavlan?</translation>
    </message>
    <message>
        <source>The game is saved and can be resumed at the next start.</source>
        <translation>Matchen är sparad och kan återupptas vid nästa start.</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>&amp;Keep running</source>
        <translation>&amp;Fortsätt</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
</context>
<context>
    <name>frmWaiting</name>
    <message>
        <source>Waiting penalties</source>
        <translation>Väntande utvisningar</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spelare</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tid</translation>
    </message>
    <message>
        <source>Player, Tab, time, Enter adds. Delete removes the selected penalty. Escape closes.</source>
        <translation>Spelare, Tab, tid, Enter lägger till. Delete tar bort den valda utvisningen. Esc stänger.</translation>
    </message>
    <message>
        <source>A team can have no more than %1 penalties waiting.</source>
        <translation>Ett lag kan inte ha fler än %1 väntande utvisningar.</translation>
    </message>
    <message>
        <source>The time must be from 0.01 to 9.59 (minutes.seconds).</source>
        <translation>Tiden måste vara mellan 0.01 och 9.59 (minuter.sekunder).</translation>
    </message>
</context>
</TS>
