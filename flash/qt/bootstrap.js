// Runs at the creation of every document in every frame of the programs' browsers. It loads the
// bundled Flash player only once the document holds a Flash object, configured to play at once
// and quietly; a page that brings its own player is left to it. Local pages (file:) cannot hand
// their movies to the player, so their movies are fetched from the program's own listener.
// The host appends the settings: ({player: "http://127.0.0.1:PORT/ruffle/",
// localMovies: [{from: "file:///game/flash/", to: "http://127.0.0.1:PORT/movies/"}]}).
(function (settings) {
    "use strict";
    if (document.lumenfoldFlash) return;
    document.lumenfoldFlash = true;

    const FLASH_TYPE = "application/x-shockwave-flash";
    const FLASH_CLASSID = "clsid:d27cdb6e-ae6d-11cf-96b8-444553540000";
    const MOVIE = /\.swf([?#]|$)/i;
    const localPage = location.protocol === "file:";
    let playerLoaded = false;

    function lower(element, name) {
        return (element.getAttribute(name) || "").trim().toLowerCase();
    }

    function movieParam(object) {
        for (const param of object.getElementsByTagName("param")) {
            const name = lower(param, "name");
            if (name === "movie" || name === "src") return param;
        }
        return null;
    }

    function isFlashObject(element) {
        if (element.localName === "embed") {
            return lower(element, "type") === FLASH_TYPE || MOVIE.test(element.getAttribute("src") || "");
        }
        if (element.localName === "object") {
            if (lower(element, "classid") === FLASH_CLASSID || lower(element, "type") === FLASH_TYPE) return true;
            if (MOVIE.test(element.getAttribute("data") || "")) return true;
            const param = movieParam(element);
            return param !== null && MOVIE.test(param.getAttribute("value") || "");
        }
        return false;
    }

    function flashObjectsIn(node) {
        if (node.nodeType !== Node.ELEMENT_NODE) return [];
        const found = isFlashObject(node) ? [node] : [];
        if (node.firstElementChild) {
            for (const inner of node.querySelectorAll("embed, object")) {
                if (isFlashObject(inner)) found.push(inner);
            }
        }
        return found;
    }

    function pageBringsItsOwnPlayer() {
        const player = window.RufflePlayer;
        if (player && (player.sources || player.newest || player.invoked)) return true;
        for (const script of document.scripts) {
            if (/ruffle[^/]*\.js/i.test(script.src)) return true;
        }
        return false;
    }

    function servedAddress(value) {
        let absolute;
        try {
            absolute = new URL(value, document.baseURI).href;
        } catch (e) {
            return null;
        }
        for (const place of settings.localMovies) {
            if (absolute.startsWith(place.from)) return place.to + absolute.substring(place.from.length);
        }
        return null;
    }

    function serveLocalMovie(element) {
        const attribute = element.localName === "embed" ? "src" : "data";
        for (const [target, name] of [[element, attribute], [movieParam(element), "value"]]) {
            if (!target || !target.hasAttribute(name)) continue;
            const address = servedAddress(target.getAttribute(name));
            if (address) target.setAttribute(name, address);
        }
    }

    function loadPlayer() {
        playerLoaded = true;
        if (pageBringsItsOwnPlayer()) return;
        const player = (window.RufflePlayer = window.RufflePlayer || {});
        player.config = Object.assign({}, player.config, {
            publicPath: settings.player,
            autoplay: "on",
            splashScreen: false,
            unmuteOverlay: "hidden",
            allowScriptAccess: true,
            warnOnUnsupportedContent: false,
            upgradeToHttps: false,
            showSwfDownload: false,
            contextMenu: "off",
            menu: false,
            openUrlMode: "allow",
            allowNetworking: "all",
            socketProxy: [],
            logLevel: "error",
        });
        const script = document.createElement("script");
        script.src = settings.player + "ruffle.js";
        (document.head || document.documentElement).appendChild(script);
    }

    function look(nodes) {
        const found = [];
        for (const node of nodes) found.push(...flashObjectsIn(node));
        if (found.length === 0) return;
        if (localPage) found.forEach(serveLocalMovie);
        if (!playerLoaded) loadPlayer();
        // Only local pages need to see later movies; elsewhere the player watches for itself.
        if (!localPage) observer.disconnect();
    }

    const observer = new MutationObserver((records) => {
        for (const record of records) look(record.addedNodes);
    });
    observer.observe(document, { childList: true, subtree: true });
});
