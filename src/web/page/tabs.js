// The page tabs, as the WAI-ARIA tabs pattern with automatic activation:
// one tab in the Tab order, the arrow keys, Home and End move between tabs
// and show the tab's page at once.
function makeTabs(tablist, names, panels, shown) {
  const tabs = names.map((name, index) => {
    const tab = document.createElement('button');
    tab.type = 'button';
    tab.setAttribute('role', 'tab');
    tab.id = `tab-${index}`;
    tab.textContent = name;
    tab.setAttribute('aria-controls', panels[index].id);
    panels[index].setAttribute('role', 'tabpanel');
    panels[index].setAttribute('aria-labelledby', tab.id);
    panels[index].tabIndex = 0;
    tab.addEventListener('click', () => select(index));
    tab.addEventListener('keydown', (event) => {
      const last = tabs.length - 1;
      const next = { ArrowRight: index === last ? 0 : index + 1, ArrowLeft: index === 0 ? last : index - 1,
                     Home: 0, End: last }[event.key];
      if (next === undefined) return;
      event.preventDefault();
      select(next);
      tabs[next].focus();
    });
    return tab;
  });

  function select(selected) {
    tabs.forEach((tab, index) => {
      const shown = index === selected;
      tab.setAttribute('aria-selected', String(shown));
      tab.tabIndex = shown ? 0 : -1;
      panels[index].hidden = !shown;
    });
  }

  tablist.replaceChildren(...tabs);
  select(shown);
  return { selected: () => tabs.findIndex((tab) => tab.tabIndex === 0) };
}
