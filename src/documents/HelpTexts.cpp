#include "documents/HelpTexts.h"

// Every number and rule stated here is one the program applies: 500
// segments per network, the point as decimal separator (a comma ends the
// number), the "Tubarex-dati-" data files holding the whole project, the
// wall types and fitting coefficients of the water calculation, the inch
// series and gas types of the gas window, the checks run before saving and
// printing, and the fixed-pitch 12-point font of the report.

namespace {

const QString ManualeText = QStringLiteral(
    "Il programma TUBAREX calcola le perdite di carico che si hanno in un tubo attraversato da "
    "liquido o da gas. Le reti di acqua a pressione e quelle di gas metano o GPL si descrivono "
    "in due finestre distinte, ciascuna con la propria tabella: per ogni rete si possono "
    "digitare fino a 500 tronchi.\n\n"
    "Per ogni tronco il programma calcola la perdita dovuta alla lunghezza della tubazione e "
    "quella dovuta agli elementi concentrati: curve, raccordi, saracinesche e valvole. Se la "
    "lunghezza equivalente di questi elementi è già nota, ad esempio ricavata dalle tabelle del "
    "produttore, la si può sommare direttamente alla lunghezza del tronco, lasciando vuote le "
    "caselle dei pezzi speciali; altrimenti si digita il numero di curve, raccordi e valvole "
    "presenti e il programma ne ricava la lunghezza equivalente in base al diametro del tubo.\n\n"
    "Per immettere i dati basta seguire le istruzioni della casella gialla posta in basso nella "
    "finestra dei dati, che indica di volta in volta il dato mancante. I decimali si digitano "
    "con il punto (12.5): la virgola non è un separatore valido e quanto la segue viene "
    "ignorato, per cui 12,5 vale 12. Non occorre alcun comando di calcolo: i risultati e il "
    "totale progressivo si aggiornano a ogni tasto premuto.\n\n"
    "Il programma controlla soltanto la correttezza formale dei dati, cioè che ogni tronco "
    "abbia tutti i dati necessari al calcolo; la verifica dei valori e del loro significato "
    "tecnico resta compito del progettista.\n\n"
    "Dalla finestra Frontespizio, dopo aver indicato il progetto, la località, il committente "
    "e gli altri dati di intestazione, si stampa una breve relazione con i criteri di calcolo e "
    "le tabelle dei dati e dei risultati delle reti immesse, acqua, gas o entrambe.\n\n"
    "TUBAREX è utile sia nella progettazione di nuove reti, sia nella verifica di reti "
    "esistenti.");

const QString FunzionamentoText = QStringLiteral(
    "TUBAREX è un programma di semplice uso che consente di calcolare per un massimo di 500 "
    "tronchi le perdite di carico totali nelle tubazioni.\n\n"
    "Per ogni tronco della rete dell'acqua si digitano la lunghezza in metri, il diametro "
    "interno in millimetri, la portata in litri al secondo e la scabrezza. Il coefficiente di "
    "scabrezza si ottiene scegliendo dall'elenco la tipologia del tubo: liscio (0.002), "
    "corrente (0.0025) o scabro (0.004). Sono valori preimpostati e consigliati, che si possono "
    "comunque cambiare digitando nella casella un coefficiente diverso.\n\n"
    "Il numero di curve (a 45°, a 90° e a 90° ad ampio raggio), di raccordi a T e a croce, di "
    "saracinesche e di valvole di ritegno presenti nel tronco viene trasformato in una "
    "lunghezza equivalente, proporzionale al diametro interno, che si somma alla lunghezza del "
    "tronco. Per ogni pezzo e per ogni millimetro di diametro si contano: curva a 45° 0.013 m, "
    "curva a 90° 0.03 m, curva a 90° ad ampio raggio 0.018 m, raccordo a T o a croce 0.06 m, "
    "saracinesca 0.006 m, valvola di ritegno 0.0065 m.\n\n"
    "La perdita di carico del tronco, in metri, è calcolata con la formula di Darcy:\n\n"
    "B * Q^2/D^5 *L\n\n"
    "dove B è il coefficiente di scabrezza, Q la portata in metri cubi al secondo, D il "
    "diametro e L la lunghezza totale (tronco più lunghezza equivalente), entrambi in metri. "
    "Il programma converte da sé i millimetri del diametro in metri e i litri al secondo della "
    "portata in metri cubi al secondo. Ad esempio, un tronco di 100 m con diametro 100 mm, "
    "portata 10 l/s, scabrezza 0.002 e due curve a 90° ha una lunghezza totale di 106 m e una "
    "perdita di 2.12 m.\n\n"
    "Ogni modifica di un dato ricalcola subito il tronco: il risultato, arrotondato al "
    "centesimo, compare nella colonna delle perdite su fondo azzurro, e il totale progressivo si "
    "aggiorna. Il controllo dei dati immessi è automatico: la casella gialla indica il primo "
    "dato mancante, e i dati vengono verificati prima di ogni salvataggio e di ogni stampa.");

const QString ArchivioText = QStringLiteral(
    "E' possibile memorizzare in appositi files i dati immessi per ogni finestra e richiamarli "
    "al momento opportuno. I comandi si trovano nel menu File (Apri..., Salva, Salva con "
    "nome..., Elimina...) e nei primi quattro pulsanti della barra degli strumenti di ciascuna "
    "delle tre finestre principali.\n\n"
    "Si salva e si apre un solo tipo di file, 'Tubarex-dati-...', senza estensione. Ogni file "
    "contiene l'intero progetto: la rete dell'acqua, la rete del gas e i dati del frontespizio. "
    "Per questo il salvataggio e l'apertura si possono fare indifferentemente dalle finestre "
    "dei dati (acqua e gas) o dalla finestra Frontespizio, ottenendo sempre lo stesso file; "
    "aprendo un file si sostituiscono tutti i dati in memoria.\n\n"
    "Al primo salvataggio il nome del file è proposto con la prima parte già scritta, "
    "'Tubarex-dati-'. Per proseguire nella digitazione del nome occorre prima premere il tasto "
    "freccia a destra, che porta il cursore alla fine del testo; digitando subito, la parte "
    "preimpostata viene cancellata e sostituita da quanto scritto.\n\n"
    "'Salva' riscrive il file aperto o salvato per ultimo; 'Salva con nome...' chiede sempre il "
    "nome del file. Prima del salvataggio i dati vengono controllati, e per salvare è "
    "necessario aver digitato almeno il dato del 'progetto' nella finestra Frontespizio.\n\n"
    "Con File...Elimina... si può cancellare qualsiasi file, di qualunque tipo: il file scelto "
    "viene eliminato subito, senza ulteriore conferma, per cui conviene fare attenzione.");

const QString StampaText = QStringLiteral(
    "Si possono stampare liberamente tutte le finestre riguardanti la guida. Ogni pagina ha il "
    "suo pulsante Stampa, che prepara un documento con il titolo e il testo della pagina; il "
    "pulsante Stampa del sommario raccoglie l'intera guida in un solo documento, che viene "
    "salvato nella cartella Documenti dell'utente con il nome Tubarex-guida.docx. Anche la "
    "licenza d'uso si stampa dalla sua finestra.\n\n"
    "Dalle finestre dei dati (acqua e gas), con il menu File... Stampa..., si stampano a scelta "
    "i soli dati della finestra, cioè la tabella dei dati e dei risultati ('dati finestra'), "
    "oppure il modello di acquisizione dati, un modulo in bianco su cui annotare a mano la rete "
    "prima di digitarla ('modello acquisizione dati'). Dalla finestra Frontespizio si stampano "
    "invece i soli dati del frontespizio oppure l'intera elaborazione, cioè la relazione "
    "completa.\n\n"
    "Il pulsante con l'icona della stampante, nella barra degli strumenti, stampa i soli dati "
    "nelle finestre dei dati e l'intera relazione nella finestra Frontespizio.\n\n"
    "Le opzioni di stampa di ogni finestra stabiliscono la destinazione: con 'Stampa con Word' "
    "si ottiene un documento che si apre nel programma di videoscrittura, dove si può "
    "modificare, salvare e stampare; con 'Stampa diretta' la stampa va sulla stampante scelta, "
    "oppure in un file PDF. Il modello di acquisizione dati è sempre preparato come "
    "documento.\n\n"
    "Prima di stampare, come prima di salvare, i dati vengono controllati: se manca qualcosa il "
    "programma lo segnala e mostra la finestra dei dati da completare.\n\n"
    "La relazione comprende il frontespizio con i dati del progetto e dello studio tecnico, "
    "poi, per ogni rete che ha tronchi, i criteri di calcolo con la formula usata, la legenda e "
    "la tabella dei dati e dei risultati, e infine il numero delle pagine, gli allegati, il "
    "luogo e la data e la firma del progettista. Prima di stamparla il programma ricalcola "
    "tutti i tronchi di entrambe le reti, anche se le loro finestre non sono mai state aperte. "
    "Se non ci sono tronchi la stampa viene rifiutata; se entrambe le reti hanno tronchi il "
    "programma chiede se stampare la relazione completa: rispondendo No si apre la finestra "
    "dei dati dell'acqua, per cancellare i dati della rete che non interessa. Nella stampa "
    "diretta ogni pagina, tranne il frontespizio, porta il suo numero in basso; nel documento "
    "il numero delle pagine si aggiorna da sé se il documento viene modificato.\n\n"
    "La relazione riporta le reti presenti in memoria. Poiché ogni file contiene entrambe le "
    "reti, se le due elaborazioni sono state caricate da file separati la relazione utilizza "
    "soltanto l'ultimo file caricato: conviene quindi salvare l'intero progetto in un unico "
    "file prima di stampare.");

const QString DatiText = QStringLiteral(
    "La prima finestra riguarda l'introduzione dei dati completi per tutti i tronchi della "
    "rete. La tabella mostra dieci tronchi alla volta; con la barra di scorrimento verticale si "
    "raggiungono i successivi, fino a 500.\n\n"
    "I dati si digitano nei campi bianchi: lunghezza, diametro, portata, tipologia del tubo, "
    "scabrezza e numero dei pezzi speciali. I risultati compaiono nelle colonne di colore "
    "azzurro: la perdita di carico di ogni tronco e, in basso, il totale progressivo.\n\n"
    "Conviene spostarsi da un campo all'altro con il tasto TAB: si segue così l'immissione "
    "guidata, e la casella gialla in basso indica di volta in volta il dato da digitare. Non si "
    "possono lasciare righe vuote: la lunghezza di un tronco si digita dopo quella del tronco "
    "precedente.\n\n"
    "I decimali vanno scritti con il punto; la virgola viene ignorata insieme a quanto la segue "
    "(12,5 vale 12). Lo stesso vale quando si cambia la scabrezza preimpostata in base alla "
    "tipologia del tubo. Le caselle delle curve e dei raccordi possono essere lasciate vuote: "
    "una casella vuota vale zero.\n\n"
    "I tasti X accanto al numero del tronco cancellano la riga corrispondente, senza chiedere "
    "conferma; i tronchi successivi salgono di una riga. Spostando il mouse sul numero di un "
    "tronco, la riga si colora di giallo.\n\n"
    "Il tasto ABC della barra degli strumenti controlla tutti i dati immessi e porta il cursore "
    "sul primo dato mancante; il controllo viene comunque eseguito in automatico prima di "
    "salvare o di stampare.");

const QString DatiGasText = QStringLiteral(
    "La finestra relativa al calcolo delle perdite di carico per tubazioni che trasportano gas "
    "è di semplice ed immediato utilizzo. Come per l'acqua, si possono descrivere fino a 500 "
    "tronchi, visibili dieci alla volta con la barra di scorrimento verticale.\n\n"
    "I dati si digitano nei campi bianchi: lunghezza del tronco in metri, diametro nominale, "
    "portata in metri cubi all'ora e tipo di gas. Il diametro del tubo, in pollici (da 3/8'' a "
    "6''), e il tipo di gas, metano o GPL, si scelgono dagli elenchi preimpostati; il programma "
    "compila di conseguenza il diametro interno in millimetri e le caratteristiche del gas. Se "
    "si digita direttamente il diametro interno, il diametro nominale corrispondente viene "
    "riconosciuto, oppure indicato come ND.\n\n"
    "I risultati compaiono su fondo azzurro: numero di Reynolds, coefficiente d'attrito, "
    "velocità, perdita di carico in millibar e totale progressivo. Curve, raccordi, "
    "saracinesche e valvole si digitano nella riga di caselle in alto, riferita all'ultimo "
    "tronco digitato o indicato con il mouse, accanto alla sua lunghezza virtuale.\n\n"
    "Alcuni risultati, come la viscosità e la velocità, hanno molti decimali: allargando la "
    "finestra le caselle si allargano in proporzione e i valori si leggono per intero. In "
    "stampa questi valori vengono accorciati cambiando l'unità di misura: la viscosità è "
    "riportata in centimetri quadrati al secondo e la velocità in centimetri al secondo.\n\n"
    "Il tasto ABC della barra degli strumenti controlla i dati immessi, e la casella gialla in "
    "basso suggerisce il passo successivo. Ogni pulsante e ogni casella mostra una breve "
    "descrizione quando vi si ferma sopra il puntatore del mouse.\n\n"
    "I dati si possono salvare in archivio, stampare direttamente oppure stampare nella "
    "relazione. La perdita consigliata è al massimo di 1,0 mbar per il metano e di 2,0 mbar per "
    "il GPL: il confronto con questi limiti spetta al progettista.");

const QString FrontespizioText = QStringLiteral(
    "La terza finestra riguarda i dati destinati al frontespizio della Relazione da stampare. "
    "Vi si digitano il progetto, la località, la tipologia di studio (ad esempio 'analisi "
    "situazione attuale' oppure 'ipotesi situazione di progetto'), il committente, il luogo e "
    "la data dell'elaborazione e gli allegati alla relazione (grafici, disegni, planimetrie, "
    "foto).\n\n"
    "Il dato del 'progetto' è indispensabile per salvare i dati: senza di esso il salvataggio "
    "viene rifiutato, da qualunque finestra lo si chieda. La data dell'elaborazione è impostata "
    "in automatico con la data del giorno, ma si può modificare. Conviene non superare i 60 "
    "caratteri per ciascun dato.\n\n"
    "Il nome e l'indirizzo dello studio tecnico sono quelli del proprietario del programma: "
    "provengono dalle impostazioni dell'installazione e non si possono modificare in questa "
    "finestra.\n\n"
    "Il tasto ABC controlla i dati immessi. Dal menu File... Stampa... si stampano i soli dati "
    "del frontespizio oppure l'intera elaborazione, cioè la relazione con frontespizio, criteri "
    "di calcolo, legende e tabelle dei dati e dei risultati delle reti che hanno tronchi.\n\n"
    "Nella stampa diretta la relazione usa il carattere Courier a 12 punti, a spaziatura fissa, "
    "così che le colonne delle tabelle restino allineate; dove il carattere Courier New manca "
    "il programma usa Liberation Mono, che ha le stesse larghezze. Il documento per la "
    "videoscrittura ha invece vere tabelle e si può modificare liberamente.");

const QString Licence = QStringLiteral(
    "CONTRATTO DI LICENZA D'USO\n\n"
    "Tubarex è distribuito con la licenza MIT. Il testo che segue ne è la traduzione in lingua "
    "italiana; in caso di dubbio fa fede il testo originale inglese contenuto nel file LICENSE "
    "che accompagna il programma.\n\n"
    "Copyright (c) 2026 gli sviluppatori di Tubarex.\n\n"
    "1. Concessione. Chiunque ottenga una copia di questo software e dei file di documentazione "
    "che lo accompagnano (il \"Software\") riceve gratuitamente il permesso di trattare il "
    "Software senza restrizioni, compresi senza limitazione i diritti di usare, copiare, "
    "modificare, unire, pubblicare, distribuire, concedere in sublicenza e vendere copie del "
    "Software, e di consentire di farlo alle persone a cui il Software è fornito, alle "
    "condizioni che seguono.\n\n"
    "2. Condizione. L'avviso di copyright riportato sopra e questo avviso di permesso devono "
    "essere inclusi in tutte le copie o in parti sostanziali del Software.\n\n"
    "3. Esclusione di garanzia. IL SOFTWARE È FORNITO \"COSÌ COM'È\", SENZA GARANZIA DI ALCUN "
    "TIPO, ESPRESSA O IMPLICITA, COMPRESE, MA NON SOLO, LE GARANZIE DI COMMERCIABILITÀ, DI "
    "IDONEITÀ A UN PARTICOLARE SCOPO E DI NON VIOLAZIONE DI DIRITTI ALTRUI.\n\n"
    "4. Limitazione di responsabilità. IN NESSUN CASO GLI AUTORI O I TITOLARI DEL COPYRIGHT "
    "SARANNO RESPONSABILI DI RECLAMI, DANNI O ALTRE RESPONSABILITÀ, IN UN'AZIONE CONTRATTUALE, "
    "EXTRACONTRATTUALE O DI ALTRA NATURA, DERIVANTI DAL SOFTWARE, DAL SUO USO O DA ALTRE "
    "OPERAZIONI CON IL SOFTWARE, O CONNESSI CON ESSI.\n\n"
    "Nota per l'utente. I risultati del calcolo dipendono dai dati immessi: il programma ne "
    "controlla soltanto la completezza formale. La scelta dei dati e la verifica dei risultati "
    "spettano al progettista che firma l'elaborato.");

} // namespace

const std::vector<HelpTopic>& HelpTopics() {
    static const std::vector<HelpTopic> topics = {
        {HelpSubject::Manual, QStringLiteral("MANUALE D'USO RAPIDO"), ManualeText},
        {HelpSubject::Working, QStringLiteral("FUNZIONAMENTO DEL PROGRAMMA"), FunzionamentoText},
        {HelpSubject::Archive, QStringLiteral("ARCHIVIO DATI"), ArchivioText},
        {HelpSubject::Printing, QStringLiteral("COME STAMPARE"), StampaText},
        {HelpSubject::WaterData, QStringLiteral("FINESTRA DATI ACQUA"), DatiText},
        {HelpSubject::GasData, QStringLiteral("FINESTRA DATI GAS"), DatiGasText},
        {HelpSubject::Cover, QStringLiteral("FINESTRA FRONTESPIZIO"), FrontespizioText},
    };
    return topics;
}

const HelpTopic& FindHelpTopic(HelpSubject subject) {
    return HelpTopics()[static_cast<std::size_t>(subject)];
}

QString LicenceText() {
    return Licence;
}
