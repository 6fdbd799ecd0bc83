// What the windows' tests cannot reach of a deal: payments that cannot be computed, leases worked by hand, the
// page's texts from blanks typed around them, and the catalogue's page taken when presented. The worksheet's and
// the presentation's tests show the other figures and texts through the windows.

#include "core/deal/deal.h"
#include "core/deal/dealpage.h"
#include "core/store/productrepository.h"
#include "coresupport.h"
#include "dealfixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {
Deal financed(double msrp, double rate, double term) {
    Deal d;
    d.rate = rate;
    d.term = term;
    d.taxRate = 0.07f;
    d.packages[0].products[0] = coretest::slot(1, u"Plan"_s, 1600, msrp);
    return d;
}
} // namespace

class DealTest : public QObject {
    Q_OBJECT
private slots:
    // A payment that cannot be computed shows 0.00, and the deal says which input is to blame. Only the term and
    // the rate are boxes to mark; an amount too large is the package's alone.
    void paymentProblemsAndLeasesByHand() {
        for (const auto &[rate, msrp, problem] : {std::tuple{1e300, 1500.0, PaymentProblem::Rate},
                                                  {-1200.0, 1500.0, PaymentProblem::Rate},
                                                  {6.0, 1e300, PaymentProblem::Amount}}) {
            const Deal d = financed(msrp, rate, 60);
            QCOMPARE(int(d.figures(0).problem), int(problem));
            QCOMPARE(d.figures(0).payment, u"0.00"_s);
            QCOMPARE(int(d.termOrRateProblem()), problem == PaymentProblem::Amount ? 0 : int(problem));
        }
        // Worked by hand. Cap cost 20,000, residual 13,110, money factor 0.00125, 36 months: depreciation (20000 -
        // 13110) / 36 = 191.3889, rent (20000 + 13110) x 0.00125 = 41.3875, 232.7764. With a 1,500 package: 8390 / 36 =
        // 233.0556, 34610 x 0.00125 = 43.2625, 276.3181. Taxed at 7 %: 249.0707 and 295.6603. A residual of 21,000 is
        // above the cap cost alone (no figure) but not above it with the package: 500 / 36 = 13.8889, 42500 x 0.00125 =
        // 53.125, 67.0139.
        // The residual, the money factor typed (below 0: none, the rate's), the rate, the tax; the payment without
        // products, which an empty package shows too, and with the package.
        const QList<std::tuple<double, double, double, bool, QString, QString>> rows{
            {13110, 0.00125, 9, false, "232.78", "276.32"},
            {13110, -1, 3, false, "232.78", "276.32"},
            {13110, 0.00125, 0, true, "249.07", "295.66"},
            {21000, 0.00125, 0, false, "0.00", "67.01"}};
        for (const auto &[residual, factor, rate, tax, base, package] : rows) {
            Deal d = financed(1500, rate, 36);
            d.leaseDeal = true;
            d.amountFinanced = 20000;
            d.residual = residual;
            d.includeTax = tax;
            if (factor >= 0)
                d.moneyFactor = factor;
            QCOMPARE(QStringList({d.basePayment(0).payment, d.payment(1, 0).payment, d.payment(0, 0).payment}),
                     QStringList({base, base, package}));
            QCOMPARE(d.termOrRateProblem() == PaymentProblem::Residual, base == "0.00"_L1);
        }
    }

    // Only blanks are trimmed: a package name with blanks around it heads its column without them, and a line
    // break that ends the disclaimer stays. A product kept at id 0 counts in the price but is never shown; a cash
    // deal's price is no monthly one.
    void thePagesTexts() {
        Deal d;
        d.cashDeal = true;
        d.disclaimer = u" Estimates only.\r\n"_s;
        d.packages[0].name = u" Tow & Haul "_s;
        d.packages[1].products[0] = coretest::slot(0, u"Id 0"_s, 1, 2);
        const DealPage page = dealPage(d);
        QCOMPARE(QStringList({page.headings[0], page.disclaimer, page.productTexts[1][0], page.packageTexts[1],
                              page.priceLines[1]}),
                 QStringList({"Tow & Haul", "Estimates only.\r\n", "", "", "$ 2.00"}));
    }

    // A slot presented takes the product's page from the catalogue as it is now (its name, description and
    // price: the presentation's tests).
    void theCataloguesPageIsTakenWhenPresented() {
        coretest::DataFolder folder;
        const int tint = coretest::addProduct(folder.store(), u"Tint"_s, 120, 450, {}, u"/tint.html"_s);
        Deal d;
        d.packages[0].products[0] = coretest::slot(tint, u"Tint"_s, 120, 450, {}, u"/old.html"_s);
        takeCatalogueTexts(d, folder.store().products());
        QCOMPARE(d.packages[0].products[0].page, u"/tint.html"_s);
        QVERIFY(folder.errors().isEmpty());
    }
};

QTEST_GUILESS_MAIN(DealTest)
#include "deal_test.moc"
