#pragma once
// Registers the package with a development environment: the palette pages "Vendamo" (the
// two dialog components, the loader, the designer, the report and its bands and elements) and
// "VDMTools" (the scroll box, ruler, language-file component and list box), and the component
// editors of the language-file component and the designer. Runs once; later calls do nothing.
void RegisterVendamoPackage();
