// The page's glue: builds the elements the form describes, passes events to
// the calculations compiled to WebAssembly and writes back the texts they
// give. Every text, rule and check comes from the C++ side.
"use strict";

createKalvetra().then((kv) => {
  const describe = () => JSON.parse(kv.ccall("kv_describe", "string", [], []));
  const select = (item) => JSON.parse(kv.ccall("kv_select", "string", ["number"], [item]));
  const setBox = (box, text) => kv.ccall("kv_set_box", null, ["number", "string"], [box, text]);
  const click = (button) => JSON.parse(kv.ccall("kv_click", "string", ["string"], [button]));
  const key = (code) => kv.ccall("kv_key", "number", ["number"], [code]);

  const form = describe();
  document.title = form.caption;
  const byName = new Map();
  const el = (tag, props) => Object.assign(document.createElement(tag), props);

  // The controls, panel by panel; a label right before a box is its caption.
  const root = document.getElementById("form");
  root.style.setProperty("--width", form.width + "px");
  root.style.setProperty("--height", form.height + "px");
  form.controls.forEach((c, i) => {
    let node;
    if (c.kind === "panel") {
      node = el("fieldset", {className: "panel"});
      node.append(el("legend", {textContent: c.text, id: c.name + "-caption"}));
    } else if (c.kind === "label") {
      const next = form.controls[i + 1];
      node = next && next.kind === "edit" ? el("label", {htmlFor: next.name}) : el("p");
      node.className = c.bold ? "label name" : "label";
      node.textContent = c.text;
    } else if (c.kind === "edit") {
      node = el("input", {type: "text", value: c.text, readOnly: c.readOnly, className: "box",
                          autocomplete: "off", spellcheck: false});
      if (!c.readOnly) node.inputMode = "decimal";
      if (c.accessibleName) node.setAttribute("aria-label", c.accessibleName);
      if (c.explained) {
        const tip = el("span", {id: c.name + "-explanation", className: "tip", role: "tooltip"});
        node.setAttribute("aria-describedby", tip.id);
        node.explanation = tip;
      }
    } else {
      node = el("button", {type: "button", textContent: c.text, className: "button"});
      node.setAttribute("aria-describedby", c.parent + "-caption");
    }
    node.id = c.name;
    node.dataset.name = c.name;
    const [left, top, width, height] = c.rect;
    for (const [k, v] of Object.entries({left, top, width, height})) {
      node.style.setProperty("--" + k, v + "px");
    }
    (c.parent ? byName.get(c.parent) : root).append(node);
    if (node.explanation) {
      node.after(node.explanation);
      node.explanation.style.setProperty("--left", left + "px");
      node.explanation.style.setProperty("--top", top + height + "px");
    }
    byName.set(c.name, node);
  });
  const boxes = form.boxes.map((name) => byName.get(name));
  const buttonOf = (node) => node.parentElement.querySelector(".button");

  // The menu bar: menus of type items, each a radio item.
  const bar = document.getElementById("menubar");
  const items = [];
  let before = null;  // what had the focus before a menu was opened
  for (const menu of form.menus) {
    const title = el("button", {type: "button", textContent: menu.caption, id: menu.name,
                                className: "menu-title"});
    title.setAttribute("role", "menuitem");
    title.setAttribute("aria-haspopup", "menu");
    title.setAttribute("aria-expanded", "false");
    const list = el("div", {className: "menu", id: menu.name + "-items", hidden: true});
    list.setAttribute("role", "menu");
    list.setAttribute("aria-label", menu.caption);
    title.setAttribute("aria-controls", list.id);
    const entries = menu.items.map((item) => {
      const entry = el("div", {textContent: item.caption, id: item.name, tabIndex: -1,
                               className: "menu-item"});
      entry.setAttribute("role", "menuitemradio");
      entry.setAttribute("aria-checked", "false");
      entry.menuIndex = items.length;
      items.push(entry);
      list.append(entry);
      return entry;
    });
    const open = (focusEntry) => {
      if (list.hidden) before = document.activeElement === title ? before : document.activeElement;
      list.hidden = false;
      title.setAttribute("aria-expanded", "true");
      (focusEntry || entries.find((e) => e.getAttribute("aria-checked") === "true") ||
       entries[0]).focus();
    };
    const close = (refocus) => {
      list.hidden = true;
      title.setAttribute("aria-expanded", "false");
      if (refocus) (before && before.isConnected && before !== document.body ? before : title).focus();
    };
    title.addEventListener("click", () => (list.hidden ? open() : close(true)));
    title.addEventListener("keydown", (e) => {
      if (e.key === "ArrowDown" || e.key === "Enter" || e.key === " ") {
        e.preventDefault();
        open();
      }
    });
    list.addEventListener("keydown", (e) => {
      const at = entries.indexOf(document.activeElement);
      const moves = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: entries.length - 1};
      if (e.key in moves) {
        e.preventDefault();
        entries[(moves[e.key] + entries.length) % entries.length].focus();
      } else if (e.key === "Enter" || e.key === " ") {
        e.preventDefault();
        if (at >= 0) choose(entries[at], close);
      } else if (e.key === "Escape") {
        e.preventDefault();
        close(false);
        title.focus();
      } else if (e.key === "Tab") {
        close(false);
      }
    });
    list.addEventListener("click", (e) => {
      if (e.target.menuIndex !== undefined) choose(e.target, close);
    });
    document.addEventListener("pointerdown", (e) => {
      if (!list.hidden && !list.contains(e.target) && e.target !== title) close(false);
    });
    bar.append(el("div", {className: "menu-wrap"}));
    bar.lastChild.append(title, list);
  }
  if (form.menus.length) bar.querySelector(".menu-title").tabIndex = 0;

  // The message box: modal, "OK" only; the steps wait until it is closed.
  const dialog = document.getElementById("message");
  document.getElementById("message-title").textContent = form.messageTitle;
  const message = (text) => new Promise((resolve) => {
    const had = document.activeElement;
    document.getElementById("message-text").textContent = text;
    dialog.addEventListener("close", () => {
      if (had && had.isConnected) had.focus();
      resolve();
    }, {once: true});
    dialog.dataset.shown = String(Number(dialog.dataset.shown || 0) + 1);
    dialog.showModal();
    document.getElementById("message-ok").focus();
  });

  // Replays the calculations' steps.
  const play = async (steps) => {
    for (const s of steps) {
      const node = s.control ? byName.get(s.control) || document.getElementById(s.control) : null;
      if (s.op === "text") {
        if (node.tagName === "INPUT") node.value = s.text; else node.textContent = s.text;
      } else if (s.op === "explain") {
        node.explanation.textContent = s.text;
      } else if (s.op === "mark") {
        node.setAttribute("aria-checked", String(s.on));
      } else if (s.op === "message") {
        await message(s.text);
      } else if (s.op === "focus") {
        node.focus();
        // A focus given by the program selects nothing.
        node.setSelectionRange(node.value.length, node.value.length);
      }
    }
  };

  // One event's steps at a time; data-busy says some are still to come.
  let busy = Promise.resolve();
  let pending = 0;
  const queue = (work) => {
    pending += 1;
    document.documentElement.dataset.busy = "true";
    busy = busy.then(work, work).finally(() => {
      pending -= 1;
      if (pending === 0) delete document.documentElement.dataset.busy;
    });
    return busy;
  };
  const choose = (entry, close) => queue(async () => {
    close(true);
    await play(select(entry.menuIndex));
  });
  const press = (button) => queue(async () => {
    boxes.forEach((b, i) => setBox(i, b.value));
    await play(click(button.dataset.name));
  });

  for (const b of root.querySelectorAll(".button")) b.addEventListener("click", () => press(b));
  for (const b of boxes) {
    // Enter presses the panel's button, as a web form's Enter does.
    b.addEventListener("keydown", (e) => {
      if (e.key === "Enter" && !e.isComposing) {
        e.preventDefault();
        press(buttonOf(b));
      }
    });
    // Each typed character passes the window's key rule (a full stop becomes
    // a comma).
    b.addEventListener("beforeinput", (e) => {
      if (b.readOnly || e.inputType !== "insertText" || !e.data) return;
      const typed = Array.from(e.data, (ch) => {
        const code = ch.codePointAt(0);
        return code < 128 ? String.fromCharCode(key(code)) : ch;
      }).join("");
      if (typed === e.data) return;
      e.preventDefault();
      b.setRangeText(typed, b.selectionStart, b.selectionEnd, "end");
      b.dispatchEvent(new Event("input", {bubbles: true}));
    });
  }

  // The window's focus order, which differs from the reading order.
  const order = form.tabOrder.map((name) => byName.get(name));
  root.addEventListener("keydown", (e) => {
    if (e.key !== "Tab" || e.altKey || e.ctrlKey || e.metaKey) return;
    const next = order.indexOf(document.activeElement) + (e.shiftKey ? -1 : 1);
    if (order.indexOf(document.activeElement) < 0 || next < 0 || next >= order.length) return;
    e.preventDefault();
    order[next].focus();
  });

  queue(() => play(select(form.startItem))).then(() => {
    document.documentElement.dataset.ready = "true";
    performance.mark("kalvetra-ready");
  });
});

if ("serviceWorker" in navigator) {
  window.addEventListener("load", () => navigator.serviceWorker.register("sw.js"));
}
