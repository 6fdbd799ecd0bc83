#pragma once
// The deal on one landscape page for the customer to sign.

class Printer;
struct DealPage;

// Prints the page through the printer's page printer and leaves the printer in portrait. Every text is
// printed as the page holds it, blanks trimmed; the price lines are printed whether or not the screen
// shows them. False when the printer failed (the user has been told by the device).
bool printDeal(Printer &printer, const DealPage &page);
