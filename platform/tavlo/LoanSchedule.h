#pragma once
// Adds the repayments of one loan to an alternative's principal and interest
// series (actual money, not escalated).
//
// The loan of principal P is taken in year y0 and repaid in years y0+1 ..
// y0+N by plan 0 (level payments), 1 (equal principal) or 2 (interest only,
// principal at the end). The last instalment repays whatever balance is left;
// a balance still open in year L is repaid in year L.

namespace tavlo {

struct Loan {
    double principal = 0.0;
    double rate = 0.0;
    int plan = 0;
    int term = 0;
    int year = 0;  // y0, the year the financed item is paid
};

// principalOut and interestOut hold L + 1 values each.
void addLoanRepayments(const Loan& loan, int analysisPeriod, double* principalOut,
                       double* interestOut);

// The level payment R = P i / (1 - (1+i)^-N), or P / N when i = 0.
double levelPayment(double principal, double rate, int term);

}  // namespace tavlo
