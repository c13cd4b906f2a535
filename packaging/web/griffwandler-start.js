// Starts Griffwandler in this page: checks what the browser must offer, loads
// the program with a real progress bar, and shows what the program tells the
// page (its window is up, it has ended) or why it cannot run.
'use strict';

(function () {
    const $ = (id) => document.getElementById(id);
    const programm = $('programm');
    const fenster = $('fenster');

    const startbild = $('startbild');
    function tafel(id) {
        for (const name of ['laden', 'fehler', 'beendet', 'meldung'])
            $(name).hidden = name !== id;
        fenster.hidden = id !== null;
        if (startbild)
            startbild.hidden = true;
    }

    function fehler(text) {
        $('fehler-text').textContent = text;
        tafel('fehler');
    }

    // The layout viewport is made as wide as the window needs and wide enough
    // that its height holds the window too, so that a phone or tablet shows
    // the whole window, in portrait and landscape, scaled as one picture.
    function passeBreiteAn() {
        const hochkant = window.matchMedia('(orientation: portrait)').matches;
        const kurz = Math.min(screen.width, screen.height);
        const lang = Math.max(screen.width, screen.height);
        const breit = hochkant ? kurz : lang;
        const hoch = hochkant ? lang : kurz;
        const breite = Math.max(830, Math.ceil((510 * breit) / hoch));
        document.querySelector('meta[name=viewport]').content = 'width=' + breite;
    }
    passeBreiteAn();
    window.matchMedia('(orientation: portrait)').addEventListener('change', passeBreiteAn);

    // The window's start picture stands where the program will put its
    // window, centred in the program's screen and rounded as the program
    // rounds, until the window itself is shown.
    function legeStartbild() {
        startbild.style.left = Math.round((fenster.clientWidth - startbild.width) / 2) + 'px';
        startbild.style.top = Math.round((fenster.clientHeight - startbild.height) / 2) + 'px';
    }
    if (startbild) {
        legeStartbild();
        window.addEventListener('resize', legeStartbild);
        startbild.hidden = false;
        const bildDa = () => requestAnimationFrame(() => performance.mark('griffwandler-startbild'));
        if (startbild.complete && startbild.naturalWidth)
            bildDa();
        else
            startbild.addEventListener('load', bildDa, {once: true});
    }

    function kannWebGL() {
        try {
            const canvas = document.createElement('canvas');
            return !!(canvas.getContext('webgl2') || canvas.getContext('webgl'));
        } catch (e) {
            return false;
        }
    }
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
        fehler('Griffwandler läuft in diesem Browser nicht: er kann kein WebAssembly ausführen. ' +
               'Bitte nimm einen aktuellen Browser.');
        return;
    }
    if (!kannWebGL()) {
        fehler('Griffwandler läuft in diesem Browser nicht: WebGL ist ausgeschaltet oder fehlt. ' +
               'Bitte schalte WebGL ein oder nimm einen anderen Browser.');
        return;
    }

    // The program uses no clipboard, yet the toolkit asks the browser at start
    // for the clipboard permissions and drops the answer. Engines that do not
    // know these permission names (WebKit) reject the question, and a dropped
    // rejection reaches the console as an error. The answer stays what the
    // browser says; it is only marked as seen.
    const erlaubnisse = navigator.permissions;
    if (erlaubnisse && typeof erlaubnisse.query === 'function') {
        const frage = erlaubnisse.query.bind(erlaubnisse);
        erlaubnisse.query = (beschreibung) => {
            const antwort = frage(beschreibung);
            if (String(beschreibung && beschreibung.name).startsWith('clipboard-'))
                antwort.catch(() => {});
            return antwort;
        };
    }

    const name = programm.dataset.programm || 'griffwandler';
    const gesamt = Number(programm.dataset.wasmBytes) || 0;
    const megabyte = (n) => (n / 1e6).toLocaleString('de-DE', {maximumFractionDigits: 1,
                                                               minimumFractionDigits: 1});
    function fortschritt(geladen) {
        const anteil = gesamt ? Math.min(1, geladen / gesamt) : 0;
        $('laden-fortschritt').value = Math.round(anteil * 100);
        $('laden-text').textContent = 'Griffwandler wird geladen … ' + megabyte(geladen) +
                                      ' von ' + megabyte(gesamt) + ' MB';
    }

    // The program, counted as it arrives and compiled while it does.
    const programmDatei = fetch(name + '.wasm').then((antwort) => {
        if (!antwort.ok || !antwort.body)
            throw new Error(name + '.wasm: ' + antwort.status);
        let geladen = 0;
        const leser = antwort.body.getReader();
        const gezaehlt = new ReadableStream({
            async pull(strom) {
                const {done, value} = await leser.read();
                if (done) {
                    strom.close();
                    return;
                }
                geladen += value.byteLength;
                fortschritt(geladen);
                strom.enqueue(value);
            },
        });
        return new Response(gezaehlt, {headers: {'Content-Type': 'application/wasm'}});
    });

    // The pictures at twice the resolution, for a fine screen alone; without
    // them (a coarse screen, or the file missing) the program draws at 1:1.
    const bilder2x = window.devicePixelRatio > 1
        ? fetch('bilder@2x.rcc').then((antwort) => antwort.ok ? antwort.arrayBuffer() : null)
            .then((daten) => daten && new Uint8Array(daten)).catch(() => null)
        : Promise.resolve(null);

    function geladenSkript(src) {
        return new Promise((fertig, gescheitert) => {
            const skript = document.createElement('script');
            skript.src = src;
            skript.onload = fertig;
            skript.onerror = () => gescheitert(new Error(src));
            document.head.appendChild(skript);
        });
    }

    let beendet = false;
    const modul = {
        qtContainerElements: [fenster],
        qtFontDpi: 96,
        locateFile: (datei) => datei,
        print: (text) => console.log(text),
        printErr: (text) => console.warn(text),
        instantiateWasm(importe, erfolg) {
            Promise.all([programmDatei.then((datei) => WebAssembly.instantiateStreaming(datei, importe)),
                         bilder2x])
                .then(([ergebnis, twins]) => {
                    if (twins)
                        modul.griffwandlerBilder2x = twins;
                    erfolg(ergebnis.instance, ergebnis.module);
                })
                .catch(nichtGeladen);
            return {};
        },
        // The program's window has been shown: the loading screen goes once
        // the browser has drawn it.
        griffwandlerShown() {
            requestAnimationFrame(() => requestAnimationFrame(() => {
                tafel(null);
                performance.mark('griffwandler-first-frame');
                // The site keeps itself for visits without a network.
                if ('serviceWorker' in navigator && window.isSecureContext)
                    navigator.serviceWorker.register('griffwandler-sw.js').catch(() => {});
            }));
        },
        // A message of the program over its window; the address is a link.
        griffwandlerMessage(text, adresse) {
            const zeilen = text.split('\n');
            $('meldung-text').textContent = zeilen.filter((zeile) => zeile !== adresse).join(' ');
            $('meldung-adresse').href = adresse;
            $('meldung-adresse').textContent = adresse;
            $('meldung').hidden = false;
            $('meldung-ok').focus();
        },
        // "Ende" was chosen: nothing of the program is left running.
        griffwandlerEnded() {
            beendet = true;
            fenster.remove();
            tafel('beendet');
            $('neu-starten').focus();
        },
        onAbort(text) {
            if (!beendet)
                fehler('Griffwandler ist mit einem Fehler stehen geblieben. Bitte lade die Seite neu. (' +
                       text + ')');
        },
        // The runtime has ended; the exception that ends it unwinds the stack.
        quit(status, grund) {
            if (!beendet && status !== 0)
                fehler('Griffwandler wurde mit einem Fehler beendet. Bitte lade die Seite neu. (' +
                       grund + ')');
            throw grund;
        },
    };
    function nichtGeladen(grund) {
        console.error(grund);
        fehler('Griffwandler konnte nicht geladen werden. Bitte prüfe die Verbindung und lade ' +
               'die Seite neu.');
    }

    $('neu-starten').addEventListener('click', () => location.reload());
    const meldungWeg = () => {
        $('meldung').hidden = true;
        fenster.querySelector('canvas')?.focus();
    };
    $('meldung-ok').addEventListener('click', meldungWeg);
    $('meldung-adresse').addEventListener('click', meldungWeg);
    fortschritt(0);
    geladenSkript(name + '.js')
        .then(() => createQtAppInstance(modul))
        .catch(nichtGeladen);
})();
