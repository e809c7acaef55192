#include "LoanSchedule.h"

#include <cmath>

namespace tavlo {

namespace {
enum Plan { kLevel, kEqualPrincipal, kInterestOnly };
}

double levelPayment(double principal, double rate, int term) {
    if (rate == 0.0) {
        return principal / term;
    }
    // 1 - (1+i)^-N computed without cancellation for small i.
    const double annuityFactor = -std::expm1(-term * std::log1p(rate));
    return principal * rate / annuityFactor;
}

void addLoanRepayments(const Loan& loan, int analysisPeriod, double* principalOut,
                       double* interestOut) {
    if (loan.year >= analysisPeriod) {
        principalOut[analysisPeriod] += loan.principal;
        return;
    }
    const double payment =
        loan.plan == kLevel ? levelPayment(loan.principal, loan.rate, loan.term) : 0.0;
    double balance = loan.principal;
    for (int k = 1; k <= loan.term; ++k) {
        const int y = loan.year + k;
        const double interest = (loan.plan == kInterestOnly ? loan.principal : balance) * loan.rate;
        double repaid = 0.0;
        const bool last = k == loan.term || y == analysisPeriod;
        if (last) {
            repaid = balance;
        } else if (loan.plan == kLevel) {
            repaid = payment - interest;
        } else if (loan.plan == kEqualPrincipal) {
            repaid = loan.principal / loan.term;
        }
        principalOut[y] += repaid;
        interestOut[y] += interest;
        balance -= repaid;
        if (last) {
            break;
        }
    }
}

}  // namespace tavlo
