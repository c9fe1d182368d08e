// Warns about projectors whose lamp or laser hours pass a service limit.
// Lamp projectors answer "lamp.hours", laser projectors "laser.hours";
// the one a model does not know is answered with an error and ignored.
var lampServiceHours = 3000;
var laserServiceHours = 20000;

Orvanto.allcmds(["op lamp.hours ?", "op laser.hours ?"]);
Orvanto.waitTcpClose();

var pattern = /(\d+\.\d+\.\d+\.\d+)>\tOP (LAMP|LASER)\.HOURS=(\d+)/g;
var match;
var due = 0;
while ((match = pattern.exec(Orvanto.tcpresult)) !== null) {
    var hours = Number(match[3]);
    var limit = match[2] === "LAMP" ? lampServiceHours : laserServiceHours;
    if (hours >= limit) {
        ++due;
        log.appendHtml("<font color=\"orange\">" + match[1] + ": " + match[2].toLowerCase() + " hours " + hours
                       + " (service at " + limit + ")</font>");
    }
}
log.appendPlainText("LampHoursCheck: " + due + " projector(s) due for service");
if (due > 0)
    Orvanto.play_pacman();
else
    Orvanto.play_ding();
