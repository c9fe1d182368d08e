// Asks every connected projector for its state, error code and hours and
// saves the console as a log file named "StatusReport" (in the log folder).
// Run it periodically, e.g. with the weekday rule "*" and HH:MM 00:10.
var states = ["Standby", "Warming Up", "On", "Cooling Down", "Error"];

Orvanto.allcmds(["op status ?", "op errcode ?", "op total.hours ?"]);
Orvanto.waitTcpClose();

// Each answer reads "<address>>\tOP <WORD>=<value>", run together.
var answers = Orvanto.tcpresult.split(/(?=\d+\.\d+\.\d+\.\d+>\t)/);
var report = ["Status report " + new Date().toString()];
for (var i = 0; i < answers.length; ++i) {
    var m = /^(\d+\.\d+\.\d+\.\d+)>\tOP STATUS=(\d)/.exec(answers[i]);
    if (m)
        report.push(m[1] + ": " + (states[Number(m[2])] || ("state " + m[2])));
    else if (answers[i].length > 0)
        report.push(answers[i].trim());
}
log.appendPlainText(report.join("\n"));
Orvanto.saveLog("StatusReport");
