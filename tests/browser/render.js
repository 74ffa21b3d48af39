'use strict';
// Rendering one written page at a chosen date and reading back what a person would see.

// Installed before any page script runs: today's date comes from the address's "dwnow" query
// ("?dwnow=2026-03-05"), at noon, with the clock running on from there. The page is a plain file,
// so the query changes nothing else.
const CLOCK = `(function(){
var m=/[?&]dwnow=(\\d+)-(\\d+)-(\\d+)/.exec(location.search);if(!m)return;
var R=Date,base=new R(+m[1],m[2]-1,+m[3],12,0,0).getTime(),t0=R.now();
function D(a,b,c,d,e,f,g){if(!new.target)return new R(base+R.now()-t0).toString();
switch(arguments.length){case 0:return new R(base+R.now()-t0);case 1:return new R(a);
default:return new R(a,b,c===undefined?1:c,d||0,e||0,f||0,g||0);}}
D.prototype=R.prototype;D.prototype.constructor=D;D.now=function(){return base+R.now()-t0;};
D.UTC=R.UTC;D.parse=R.parse;window.Date=D;})();`;

// What the page shows, gathered in the page once the placement script has made every block it
// wrote visible (or after `limit` ms, reported as placed=false).
const SNAPSHOT = (limit) => `new Promise(function(done){
var t0=performance.now();
function box(e){if(!e)return null;var r=e.getBoundingClientRect(),c=getComputedStyle(e);
return{left:r.left,top:r.top,right:r.right,bottom:r.bottom,width:r.width,height:r.height,
visibility:c.visibility,opacity:c.opacity,text:e.textContent,styleLeft:e.style.left,color:c.color,
textShadow:c.textShadow,display:c.display};}
function blocks(){return [document.getElementById('maindate'),document.getElementById('cdate')].filter(Boolean);}
function placed(){return document.readyState=='complete'&&blocks().every(function(e){return e.style.visibility=='visible';});}
(function check(){
if(!placed()&&performance.now()-t0<${limit}){setTimeout(check,5);return;}
var cd=document.getElementById('cdate'),rows=[];
if(cd)for(var i=0;i<cd.children.length;i++){var e=cd.children[i],f=e.querySelector('font');
rows.push({id:e.id,tag:e.tagName.toLowerCase(),text:e.textContent,title:e.getAttribute('title'),
fontColor:f?getComputedStyle(f).color:null,color:getComputedStyle(e).color});}
var lay=document.getElementsByTagName('layer')[0];
done({placed:placed(),maindate:box(document.getElementById('maindate')),cdate:box(cd),rows:rows,
menuIn:box(document.getElementById('menuIn')),layer:box(lay),body:document.body.innerText,
screen:[screen.width,screen.height]});})();})`;

class Renderer {
  constructor(page) { this.page = page; }

  async init() {
    await this.page.send('Page.addScriptToEvaluateOnNewDocument', { source: CLOCK });
  }

  // Loads the page as it renders on the given day ({y, m, d}) and returns its snapshot with the
  // console errors and uncaught exceptions seen so far.
  async show(url, day, limit = 5000) {
    const q = `?dwnow=${day.y}-${String(day.m).padStart(2, '0')}-${String(day.d).padStart(2, '0')}`;
    await this.page.goto(url + q);
    const snap = await this.page.eval(SNAPSHOT(limit));
    snap.problems = this.page.problems.slice();
    return snap;
  }
}

module.exports = { Renderer, CLOCK };
