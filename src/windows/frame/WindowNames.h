#pragma once

#include <QLatin1String>

// The registry names of the program's windows (Forms::nameOf: the class
// name), for the routines that reach a window whose class they do not
// include, by name through the registry. A lower layer never names a
// window: it names what it is about (a network, a help topic), and the
// windows map that to one of these.
namespace WindowName {
inline constexpr QLatin1String scelta("scelta");
inline constexpr QLatin1String frmSplash("frmSplash");
inline constexpr QLatin1String frmTip("frmTip");
inline constexpr QLatin1String dati("dati");
inline constexpr QLatin1String datigas("datigas");
inline constexpr QLatin1String frontespizio("frontespizio");
inline constexpr QLatin1String verifica("verifica");
inline constexpr QLatin1String portate("portate");
inline constexpr QLatin1String sommario("sommario");
inline constexpr QLatin1String manuale("manuale");
inline constexpr QLatin1String guidafunzionamento("guidafunzionamento");
inline constexpr QLatin1String guidaarchivio("guidaarchivio");
inline constexpr QLatin1String guidadati("guidadati");
inline constexpr QLatin1String guidadatigas("guidadatigas");
inline constexpr QLatin1String guidafrontespizio("guidafrontespizio");
inline constexpr QLatin1String guidastampa("guidastampa");
inline constexpr QLatin1String guidaverifica("guidaverifica");
inline constexpr QLatin1String guidadimensiona("guidadimensiona");
inline constexpr QLatin1String guidaserie("guidaserie");
inline constexpr QLatin1String guidaportate("guidaportate");
inline constexpr QLatin1String guidarecenti("guidarecenti");
inline constexpr QLatin1String guidaanteprima("guidaanteprima");
inline constexpr QLatin1String guidastudio("guidastudio");
inline constexpr QLatin1String guidaannulla("guidaannulla");
inline constexpr QLatin1String guidaincolla("guidaincolla");
inline constexpr QLatin1String licenza("licenza");
inline constexpr QLatin1String prodotti("prodotti");
inline constexpr QLatin1String supportoclienti("supportoclienti");
inline constexpr QLatin1String informa("informa");
} // namespace WindowName
