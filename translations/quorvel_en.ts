<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AcceptancePrintout</name>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every product was declined.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package chosen: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer&apos;s Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final Payment: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer Signature: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Co-Buyer Signature: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal #%1, saved %2 at %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seal: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>The dealership server could not be reached, so nothing was saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dealership server refused this, so nothing was saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A data file could not be read or written, so Quorvel has to close.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel could not create its data folder.

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealership Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password of %1 on the dealership server %2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel could not reach the dealership server %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CatalogueModel</name>
    <message>
        <source>NONE</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>it is locked by another program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a database file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be written (it is read-only)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be written (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealArchive</name>
    <message>
        <source>it could not be created in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no table named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its table &quot;%1&quot; has no field &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no table named &quot;deals&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1 does not match its seal: it was changed after it was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deal file cannot be read: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no deals to verify.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The one deal is intact.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All %1 deals are intact.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The one sealed deal is intact.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All %1 sealed deals are intact.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1 was saved before sealing and carries no seal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 deals from Deal %2 to Deal %3 were saved before sealing and carry no seal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a database file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealChoice</name>
    <message>
        <source>Customer&apos;s Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decline All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Term</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accepted Products:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Final Payment:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer&apos;s Signature (optional):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print and Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Signature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please choose a package or Decline All.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the customer&apos;s name before saving the deal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This deal was already saved as Deal %1. Save it again as a new deal?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Customer Choice?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The customer&apos;s choice could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1 saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealHistory</name>
    <message>
        <source>Deal History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer, vehicle, stock # or salesperson</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reprint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checks every stored deal against the seal it was saved with.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please choose a deal to reprint.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1 could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reprint Deal %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Deal History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>deal history</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealPage</name>
    <message>
        <source>%1 / Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 for %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 for %2 Month Lease</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Month</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Months</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lease payment without products: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payment without products: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, %2 Month Lease</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealPresentation</name>
    <message>
        <source>Aftermarket Product Presentation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealership Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock #:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This product has no page to show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This product&apos;s page was not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program on this computer can open this product&apos;s page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Deal?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave this deal? What was typed will be lost.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealPrintout</name>
    <message>
        <source>Salesperson: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock #: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer Approval: ___________________________</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealReport</name>
    <message>
        <source>Product Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deals saved from %1 to %2, %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>all salespeople</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>salesperson %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Report?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Product Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>product report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealView</name>
    <message>
        <source>Stored Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored Deal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reprint Deal %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DealWorksheet</name>
    <message>
        <source>Make Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Personal Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock #:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finance Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interest Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finance/Lease Term:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle Default:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount Financed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Residual:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Money Factor:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cap Cost:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include Tax in Payments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check if Cash Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disclose Total Payment/Price</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disclose Individual Prices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lease Deal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSRP:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total MSRP: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Profit: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Payment: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without products: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in package %2 now shows %3 at cost %4, MSRP %5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in package %2 is no longer in the catalogue; its slot shows NONE.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue changed while this deal was open:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Aftermarket Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This package template no longer exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This package&apos;s payment is too large to be computed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This payment is too large to be computed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a term of more than 0 months; the payments show 0.00 until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the cap cost in dollars and cents, as 25,000.00; no payment includes it until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the amount financed in dollars and cents, as 25,000.00; no payment includes it until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No payment can be computed at this interest rate; the payments show 0.00 until it is changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the money factor as a decimal, as 0.00125, or leave it empty to use the interest rate ÷ 2400; the payments show 0.00 until then.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the residual in dollars and cents, as 13,110.00.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The residual cannot be more than the cap cost and the package together; the payments show 0.00 until it is changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Correct the marked boxes before presenting the deal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave this deal? What was typed will be lost.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Quorvel — server %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aftermarket Menu-Selling &amp; Management System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu selling for the finance office. Updates and support:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create Deal for Customer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Aftermarket List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create/Edit &amp;Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deal &amp;History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealership &amp;Server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Quorvel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel %1
Aftermarket Menu-Selling &amp; Management System

Copyright 2026 Quorvel Developers.
Licence: proprietary. All rights reserved.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data: dealership server %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data folder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Quorvel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Enter Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;XIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incorrect Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Interest Rate:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Finance Term:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disclose Individual Prices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disclose Totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include Taxes in Totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lease Deal by Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package %1 Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dealership Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disclaimer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Protect?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second Term:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Third Term:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acceptance Statement:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SAVE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 is too large to be stored. Please enter a smaller number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tax rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tax rate is a fraction: 0.07 means 7 %.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default interest rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>default finance term</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>second term</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>third term</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences Saved</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintPreview</name>
    <message>
        <source>Print Preview – %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> of %1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProductEditor</name>
    <message>
        <source>Add/Edit Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSRP: $</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML Path:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone #:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProductGridModel</name>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSRP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phone #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProductList</name>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aftermarket List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name, installer or description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This product is no longer in the catalogue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print List?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Products</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No products were imported: the chosen file cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No products were imported from %1.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No products were imported: the file holds %1 products, but only %2 product numbers are left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No products were imported: the catalogue could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 products imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Products</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The products were not exported to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 products exported to %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProductListPrintout</name>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>No new product can be added: every product number has been used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No new package template can be added: every template number has been used.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtPrinterDevice</name>
    <message>
        <source>The %1 was not printed: the folder %2 could not be created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was not printed: %2 could not be opened for printing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was not printed: the printer %2 reported an error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was not saved as a PDF file: %2 could not be written (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is set up, so the %1 was saved as a PDF file:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was saved as a PDF file:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordNavigation</name>
    <message>
        <source>Record Saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Record?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Current Record?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This record no longer exists, so nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This product was changed at another desk after you opened it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This template was changed at another desk after you opened it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep Theirs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Mine</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPrintout</name>
    <message>
        <source>Product Report</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <source>a server address starts with postgresql:// (for example postgresql://user@host:5432/quorvel)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name one server only, not several</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the address %1 lacks its closing ]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the address %1 is not understood</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the port %1 is not a number from 1 to 65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the setting %1 has no value</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerConnection</name>
    <message>
        <source>Dealership Server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Database:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remember the password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use This Computer&apos;s Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the name or address of the dealership server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The port is a number from 1 to 65535 (the server&apos;s usual one is 5432).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the name of the database (usually quorvel).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter the user name the server knows you by.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no Quorvel data yet; whoever looks after the server sets it up with quorvel --setup-server first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel could not connect to the dealership server %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be kept in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel will use the dealership server from its next start.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel will use this computer&apos;s files from its next start.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsRepository</name>
    <message>
        <source>it holds no settings record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its settings record has no value for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its settings record holds a number out of range for %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SignaturePad</name>
    <message>
        <source>The customer signs here with the mouse, a pen or a finger.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sign here</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlotGrid</name>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>The data file %1 cannot be used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dealership server %1 cannot be used: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no table named &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its table has no field &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has not been set up for Quorvel (run quorvel --setup-server with its address)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateEditor</name>
    <message>
        <source>Add/Edit Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>|&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&gt;|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Aftermarket Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aftermarket Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Cost</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total MSRP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Profit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TemplateList</name>
    <message>
        <source>Aftermarket Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EXIT</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>commandline</name>
    <message>
        <source>Quorvel: %1 needs the address of the dealership server, such as postgresql://user@host/quorvel.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel: &quot;%1&quot; is not a server address: %2.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: quorvel [options]
Menu selling of aftermarket products for car dealerships.

Options:
  -h, --help  Show this text and exit.
  --version   Show the version and exit.
  --verify-deals
              Check every stored deal against the seal it was saved with, say what
              was found and exit: 0 all intact, 1 a deal was changed, 2 the deals
              cannot be read. With a dealership server (--server URI, or the one
              chosen in Menu &gt; Dealership Server) its deals are checked.
  --server URI
              Use the dealership server URI for this run, such as
              postgresql://desk1@server/quorvel (a password not in URI comes from
              ~/.pgpass or is asked for). Without it Quorvel uses the server chosen
              in Menu &gt; Dealership Server, or this computer&apos;s files.
  --setup-server URI [--copy-local]
              Make the database URI ready for Quorvel (tables and the roles
              quorvel_manager and quorvel_desk), say what was done and exit: 0 done
              or already set up, 1 failed with nothing made. --copy-local also
              copies this computer&apos;s data folder into the empty server.
Qt&apos;s own options, such as -platform offscreen or -style Fusion, work as usual.

Quorvel keeps its files in %1
  data/       products.mdb, vehicles.mdb, preferences.mdb: the catalogue, the package
              templates and the settings (made with samples on the first start);
              deals.mdb: every customer&apos;s choice as saved
  webpages/   the sample products&apos; web pages
  printouts/  printed deals and lists as PDF files when there is no printer
Back up data/ (and webpages/) while Quorvel is closed. On a dealership server the
data lives there instead: back it up with pg_dump.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel: --write-sample-pages needs the folder to write into.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel: the sample pages could not be written into %1 (%2).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvel: %1 &quot;%2&quot;. Run quorvel --help to see the options.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>csv</name>
    <message>
        <source>the text is not UTF-8; save the file as UTF-8 (&quot;CSV UTF-8&quot;) and import it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a quote is out of place: a field holding quotes must be put in quotes, and each of its quotes doubled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is too large to read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a quoted field is never closed (its closing quote is missing).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>exportfile</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was not exported: %2 could not be written (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 was exported to:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>files</name>
    <message>
        <source>the file came out shorter than its contents</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>firststart</name>
    <message>
        <source>The sample data could not be stored in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>history</name>
    <message>
        <source>Deal #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stock #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Salesperson</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Payment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Declined</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Quorvel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>productcsv</name>
    <message>
        <source>column %1 of the header has no name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no such column (the columns are %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the column appears more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the column is missing; every product needs a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the line has %1 fields where the header has %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an amount.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is below zero; a cost or MSRP cannot be.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has more digits than an amount keeps (at most 9,999,999,999,999.99).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds no products.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1, %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>… and 1 more problem.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>… and %1 more problems.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be read: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>prompts</name>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are You Sure?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>report</name>
    <message>
        <source>Product</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Offered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accepted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penetration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSRP Sold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deals counted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Products per deal: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profit per deal: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>schema</name>
    <message>
        <source>it was made by a newer Quorvel; open it with that version or a later one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it was set up for an earlier version of Quorvel, and this login may not bring it up to date; whoever set the server up can, with quorvel --setup-server and its address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be given the fields this version adds (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>serveraccount</name>
    <message>
        <source>Your server account may not change this.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>serversetup::Setup</name>
    <message>
        <source>The dealership server %1 was already set up for Quorvel; nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dealership server %1 is set up for Quorvel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The dealership server %1 was not set up, and nothing was changed on it: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made the table quorvel_layout, which keeps the layout of each table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made the collation quorvel_nocase, which orders names without regard to case.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made the tables deals and dealitems, whose stored deals cannot be changed or deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made the table %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the table %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brought the table %1 up to this version&apos;s layout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made the role %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it already holds products, templates or deals, and a data folder is copied only into an empty server</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Copied %n product(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Copied %n template(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>the data folder&apos;s settings file holds %1 records instead of one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied the settings and the id counters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Copied %n deal(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> with %n item(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ui</name>
    <message>
        <source>Search:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
